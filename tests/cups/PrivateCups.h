#pragma once

#include <QString>
#include <QStringList>

// The tests' private CUPS server, driven through cupsd.sh; ctest says where it is (PrivateCups.cmake).
// Every call throws std::runtime_error with the script's (or program's) output when it fails.
namespace PrivateCups {

// Adds an enabled queue; format "pdf", "ps" or "pdf-minus90"; dpi such as "300dpi" or "600x300dpi" sets its
// default resolution; paper (A4, Letter, A5, A6) its default paper, A4 when empty.
void addQueue(const QString& name, const QString& format = QStringLiteral("pdf"), const QString& dpi = {},
              const QString& paper = {});
// Gives the queue's A4 paper the printable area (left bottom right top, in points) instead of the model's.
void setImageableArea(const QString& queue, const QString& area);
void deleteQueue(const QString& name);
// Removes every queue, and with them the default.
void deleteAll();
void setDefault(const QString& name);
// Where a queue's jobs come out.
QString outputFile(const QString& queue);
// Active jobs of the queue, or of all queues when the name is empty.
int activeJobs(const QString& queue = {});
// Waits until the queue has no job left and FILE exists.
void waitForOutput(const QString& queue, const QString& file);

// Runs a program to its end; its output (with its errors). Throws with that output when it fails.
QString run(const QString& program, const QStringList& arguments);

// An account a server asks the password of.
struct Account {
    QString user;
    QString password;
};

// A second server of the test's own, on the spare port; stopped when it goes.
class SpareServer {
public:
    SpareServer();
    ~SpareServer();
    SpareServer(const SpareServer&) = delete;
    SpareServer& operator=(const SpareServer&) = delete;

    void addQueue(const QString& name);
    void setDefault(const QString& name);
    // Job creation, or the IPP operations named, ask for a password from now on: that of a system account
    // made for this server (named accountName()) with a password made at random, removed when it stops.
    Account requirePassword(const QStringList& operations = {});
    // One per build folder, so that two builds testing at once never share an account.
    static QString accountName();
    void stop();
    // "127.0.0.1:PORT", for cupsSetServer.
    QString address() const;

private:
    QString script_;
    QString dir_;
    QString port_;
    bool running_ = false;
};

} // namespace PrivateCups
