#include "PrivateCups.h"

#include <QProcess>

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

void script(const QString& command, const QString& dir, const QStringList& arguments = {}) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(fromEnvironment("VORNEL_CUPSD"), QStringList{command, dir} + arguments);
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

void addQueue(const QString& name, const QString& format, const QString& dpi) {
    QStringList arguments{name, format};
    if (!dpi.isEmpty())
        arguments << dpi;
    script(QStringLiteral("add-queue"), sharedDir(), arguments);
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

void SpareServer::requirePassword(const QString& user, const QString& password) {
    script(QStringLiteral("require-password"), dir_, {user, password});
}

void SpareServer::stop() {
    script(QStringLiteral("stop"), dir_);
    running_ = false;
}

QString SpareServer::address() const {
    return QStringLiteral("127.0.0.1:") + port_;
}

} // namespace PrivateCups
