#include "platform/ConfigFile.h"

#include "platform/Errors.h"
#include "platform/SaveFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

namespace ConfigFile {
namespace {

QString folder() {
    // A relative XDG_CONFIG_HOME is to be ignored, as the base directory rules say.
    const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    const QString base = QDir::isAbsolutePath(xdg) ? xdg : QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/vornel");
}

std::string reasonOf(int error) {
    const char* text = ::strerrordesc_np(error);
    return text ? text : "Unknown error " + std::to_string(error);
}

} // namespace

QString path(const QString& name) {
    return folder() + QLatin1Char('/') + name;
}

Read read(const QString& name) {
    QFile file(path(name));
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        return {Read::Kind::Failed, {}, file.errorString()};
    // Ours is a few hundred bytes; a larger one is not ours.
    constexpr qint64 Limit = 1 << 20;
    QByteArray bytes = file.read(Limit + 1);
    if (file.error() != QFileDevice::NoError)
        return {Read::Kind::Failed, {}, file.errorString()};
    if (bytes.size() > Limit)
        return {Read::Kind::Failed, {}, QStringLiteral("File too large")};
    return {Read::Kind::Read, std::move(bytes), {}};
}

void write(const QString& name, const QByteArray& bytes) {
    const QString where = folder();
    if (!QDir().mkpath(where))
        throw EFCreateError(where.toStdString(), reasonOf(errno ? errno : EACCES));
    saveFileWhole(path(name), bytes);
}

void remove(const QString& name) {
    const QString file = path(name);
    errno = 0;
    if (!QFile::remove(file) && QFileInfo::exists(file))
        throw EFCreateError(file.toStdString(), reasonOf(errno ? errno : EACCES));
}

} // namespace ConfigFile
