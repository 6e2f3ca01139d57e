#include "PrivateCups.h"

#include <cups/cups.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace PrivateCups {
namespace {

QString fromEnvironment(const char* name) {
    const QString value = qEnvironmentVariable(name);
    if (value.isEmpty())
        throw std::runtime_error(std::string(name) + " is not set: run this test through ctest");
    return value;
}

QString sharedDir() {
    return fromEnvironment("VORNEL_CUPSD_DIR");
}

struct Finished {
    bool succeeded = false; // exited by itself with status 0, within the time
    QString output;         // standard output and error together
};

// A helper program run to its end. Not through QProcess: it starts its child in the caller's memory, which
// leaves ThreadSanitizer blind to the calling thread's locks from then on, so that every later lock of the
// tests' own threads is taken for a race.
Finished runToEnd(const QString& program, const QStringList& arguments, const QByteArray& input = {},
                  int timeoutMs = 60000) {
    std::vector<std::string> words{program.toStdString()};
    for (const QString& argument : arguments)
        words.push_back(argument.toStdString());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    int in[2], out[2];
    if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0)
        throw std::runtime_error("no pipe for " + words[0]);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, out[1], 2);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(in[0]);
    ::close(out[1]);
    if (spawned != 0) {
        ::close(in[1]);
        ::close(out[0]);
        throw std::runtime_error("can't start " + words[0]);
    }
    // A child that ends without reading it says why in its status and output.
    [[maybe_unused]] const ssize_t written =
        input.isEmpty() ? 0 : ::write(in[1], input.constData(), static_cast<size_t>(input.size()));
    ::close(in[1]);

    Finished finished;
    QByteArray output;
    const QDeadlineTimer deadline(timeoutMs);
    bool timedOut = false;
    for (;;) {
        pollfd readable{out[0], POLLIN, 0};
        const int ready = ::poll(&readable, 1, static_cast<int>(deadline.remainingTime()));
        if (ready == 0) {
            timedOut = true;
            ::kill(pid, SIGKILL);
            break;
        }
        char chunk[4096];
        const ssize_t n = ready > 0 ? ::read(out[0], chunk, sizeof chunk) : -1;
        if (n <= 0)
            break;
        output.append(chunk, n);
    }
    ::close(out[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    finished.succeeded = !timedOut && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    finished.output = QString::fromLocal8Bit(output);
    return finished;
}

void script(const QString& command, const QString& dir, const QStringList& arguments = {},
            const QByteArray& input = {}) {
    const Finished finished =
        runToEnd(fromEnvironment("VORNEL_CUPSD"), QStringList{command, dir} + arguments, input, 30000);
    if (!finished.succeeded)
        throw std::runtime_error(QStringLiteral("cupsd.sh %1 %2 failed: %3")
                                     .arg(command, arguments.join(QLatin1Char(' ')), finished.output)
                                     .toStdString());
}

} // namespace

void addQueue(const QString& name, const QString& format, const QString& dpi, const QString& paper) {
    QStringList arguments{name, format};
    if (!dpi.isEmpty() || !paper.isEmpty())
        arguments << (dpi.isEmpty() ? QStringLiteral("-") : dpi);
    if (!paper.isEmpty())
        arguments << paper;
    script(QStringLiteral("add-queue"), sharedDir(), arguments);
}

void setImageableArea(const QString& queue, const QString& area) {
    QFile in(sharedDir() + QStringLiteral("/conf/ppd/") + queue + QStringLiteral(".ppd"));
    if (!in.open(QIODevice::ReadOnly))
        throw std::runtime_error("no PPD for " + queue.toStdString());
    QString text = QString::fromLatin1(in.readAll());
    text.replace(QRegularExpression(QStringLiteral("\\*ImageableArea A4/A4: \"[^\"]*\"")),
                 QStringLiteral("*ImageableArea A4/A4: \"%1\"").arg(area));
    QTemporaryDir dir;
    QFile out(dir.filePath(QStringLiteral("q.ppd")));
    if (!out.open(QIODevice::WriteOnly) || out.write(text.toLatin1()) < 0)
        throw std::runtime_error("can't write the PPD copy");
    out.close();
    run(QStringLiteral("lpadmin"), {QStringLiteral("-p"), queue, QStringLiteral("-P"), out.fileName()});
}

void deleteQueue(const QString& name) {
    script(QStringLiteral("delete-queue"), sharedDir(), {name});
}

void deleteAll() {
    script(QStringLiteral("delete-all"), sharedDir());
}

void setDefault(const QString& name) {
    script(QStringLiteral("set-default"), sharedDir(), {name});
}

QString outputFile(const QString& queue) {
    return sharedDir() + QStringLiteral("/out/") + queue + QStringLiteral(".out");
}

int activeJobs(const QString& queue) {
    cups_job_t* jobs = nullptr;
    const QByteArray name = queue.toUtf8();
    const int n = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.isEmpty() ? nullptr : name.constData(), 0,
                               CUPS_WHICHJOBS_ACTIVE);
    cupsFreeJobs(n, jobs);
    return n;
}

void waitForOutput(const QString& queue, const QString& file) {
    const QDeadlineTimer deadline(60000);
    while (activeJobs(queue) > 0 || !QFile::exists(file)) {
        if (deadline.hasExpired())
            throw std::runtime_error("the queue never finished its job");
        QThread::msleep(50);
    }
}

QString run(const QString& program, const QStringList& arguments) {
    const Finished finished = runToEnd(program, arguments);
    if (!finished.succeeded)
        throw std::runtime_error((program + QLatin1Char(' ') + arguments.join(QLatin1Char(' ')) +
                                  QStringLiteral(": ") + finished.output)
                                     .toStdString());
    return finished.output;
}

SpareServer::SpareServer()
    : script_(fromEnvironment("VORNEL_CUPSD")), dir_(sharedDir() + QStringLiteral("-spare")),
      port_(fromEnvironment("VORNEL_CUPSD_SPARE_PORT")) {
    script(QStringLiteral("start"), dir_, {port_});
    running_ = true;
}

SpareServer::~SpareServer() {
    if (running_)
        runToEnd(script_, {QStringLiteral("stop"), dir_});
}

void SpareServer::addQueue(const QString& name) {
    script(QStringLiteral("add-queue"), dir_, {name});
}

void SpareServer::setDefault(const QString& name) {
    script(QStringLiteral("set-default"), dir_, {name});
}

Account SpareServer::requirePassword(const QStringList& operations) {
    // Letters and digits only: the password is typed on a terminal and into a dialog by the tests.
    static const char letters[] = "ABCDEFGHJKLMNPQRSTUVWXYZabcdefghijkmnopqrstuvwxyz23456789";
    QString password;
    for (int i = 0; i < 20; ++i)
        password += QLatin1Char(letters[QRandomGenerator::system()->bounded(int(sizeof letters) - 1)]);
    const Account account{accountName(), password};
    script(QStringLiteral("require-password"), dir_, QStringList{account.user} + operations,
           account.password.toUtf8() + '\n');
    return account;
}

QString SpareServer::accountName() {
    return QStringLiteral("vornel-print-") + fromEnvironment("VORNEL_CUPSD_SPARE_PORT");
}

void SpareServer::stop() {
    script(QStringLiteral("stop"), dir_);
    running_ = false;
}

QString SpareServer::address() const {
    return QStringLiteral("127.0.0.1:") + port_;
}

} // namespace PrivateCups
