#include "PrivateCups.h"

#include <cups/cups.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <stdexcept>

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

void script(const QString& command, const QString& dir, const QStringList& arguments = {},
            const QByteArray& input = {}) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(fromEnvironment("VORNEL_CUPSD"), QStringList{command, dir} + arguments);
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        process.kill();
        process.waitForFinished();
        throw std::runtime_error(
            QStringLiteral("cupsd.sh %1 %2 failed: %3")
                .arg(command, arguments.join(QLatin1Char(' ')), QString::fromLocal8Bit(process.readAll()))
                .toStdString());
    }
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
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, arguments);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        throw std::runtime_error((program + QLatin1Char(' ') + arguments.join(QLatin1Char(' ')) +
                                  QStringLiteral(": ") + QString::fromLocal8Bit(p.readAll()))
                                     .toStdString());
    return QString::fromLocal8Bit(p.readAll());
}

SpareServer::SpareServer()
    : script_(fromEnvironment("VORNEL_CUPSD")), dir_(sharedDir() + QStringLiteral("-spare")),
      port_(fromEnvironment("VORNEL_CUPSD_SPARE_PORT")) {
    script(QStringLiteral("start"), dir_, {port_});
    running_ = true;
}

SpareServer::~SpareServer() {
    if (running_)
        QProcess::execute(script_, {QStringLiteral("stop"), dir_});
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
