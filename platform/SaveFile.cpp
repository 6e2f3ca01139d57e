#include "platform/SaveFile.h"

#include "platform/Errors.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

// Written against the system's own calls, not QSaveFile: a QString can't hold every name the system takes,
// and the file must land under the very bytes it was given.
namespace {

std::string shown(const QByteArray& path) {
    return QDir::toNativeSeparators(QFile::decodeName(path)).toStdString();
}

// The system's own words, as the rest of its messages: not those of the locale or of Qt's catalogue.
std::string reason(int error) {
    const char* description = ::strerrordesc_np(error);
    return description ? description : "Unknown error " + std::to_string(error);
}

// 0 when every byte went, else the system's error.
int writeAll(int fd, const QByteArray& bytes) {
    const char* next = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, next, static_cast<size_t>(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return written < 0 ? errno : EIO;
        next += written;
        left -= written;
    }
    return 0;
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    // 0, or the error a late write failure surfaces with.
    int close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0 ? 0 : errno;
    }

private:
    int fd_;
};

void writeInPlace(const QByteArray& path, const QByteArray& bytes) {
    Descriptor file(::open(path.constData(), O_WRONLY | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0)
        throw EFCreateError(shown(path), reason(errno));
    int error = writeAll(file.get(), bytes);
    const int closeError = file.close();
    if (!error)
        error = closeError;
    if (error)
        throw EFWriteError(QCoreApplication::translate("SaveFile", "«%1»")
                               .arg(QString::fromStdString(shown(path)))
                               .toStdString(),
                           reason(error));
}

struct Temporary {
    QByteArray name;
    int fd = -1;
    int error = 0;
};

// A fresh name beside the target, made by this call alone; the file takes the permissions an ordinary new
// file gets.
Temporary createTemporary(const QByteArray& target) {
    for (;;) {
        Temporary t{target + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36)};
        t.fd = ::open(t.name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        t.error = t.fd < 0 ? errno : 0;
        if (t.error != EEXIST)
            return t;
    }
}

void replaceWhole(const QByteArray& path, const QByteArray& target, const struct stat* existing,
                  const QByteArray& bytes) {
    // As a program that rewrites the file in place would be refused.
    if (existing && ::access(target.constData(), W_OK) != 0)
        throw EFCreateError(shown(path), reason(errno));
    const Temporary temporary = createTemporary(target);
    if (temporary.error)
        throw EFCreateError(shown(path), reason(temporary.error));
    Descriptor file(temporary.fd);
    int error = 0;
    if (existing && ::fchmod(file.get(), existing->st_mode & 07777) != 0)
        error = errno;
    if (!error)
        error = writeAll(file.get(), bytes);
    // On disk before it replaces the old file: a crash leaves one or the other, whole.
    if (!error && ::fsync(file.get()) != 0)
        error = errno;
    const int closeError = file.close();
    if (!error)
        error = closeError;
    if (!error && ::rename(temporary.name.constData(), target.constData()) != 0)
        error = errno;
    if (error) {
        ::unlink(temporary.name.constData());
        throw EFCreateError(shown(path), reason(error));
    }
}

} // namespace

void saveFileWhole(const QByteArray& path, const QByteArray& bytes) {
    struct stat existing {};
    if (::stat(path.constData(), &existing) != 0)
        return replaceWhole(path, path, nullptr, bytes);
    if (!S_ISREG(existing.st_mode))
        return writeInPlace(path, bytes);
    // A link is followed: the file it names is replaced, the link stays.
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.constData(), nullptr),
                                                               &std::free);
    replaceWhole(path, resolved ? QByteArray(resolved.get()) : path, &existing, bytes);
}

void saveFileWhole(const QString& path, const QByteArray& bytes) {
    saveFileWhole(QFile::encodeName(path), bytes);
}

void writeStandardOutput(const QByteArray& bytes) {
    if (const int error = writeAll(STDOUT_FILENO, bytes))
        throw EFWriteError(QCoreApplication::translate("SaveFile", "стандартный вывод").toStdString(),
                           reason(error));
}
