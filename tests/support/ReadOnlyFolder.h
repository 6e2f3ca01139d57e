#pragma once

#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <sys/mount.h>
#include <unistd.h>

// A folder nothing can be written to, even by root: a read-only file system where the tests may mount one,
// a folder without write permission otherwise. Made from a QTemporaryDir template path.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString& templatePath) : dir_(templatePath) {
        if (geteuid() == 0)
            mounted_ =
                ::mount("tmpfs", path().toLocal8Bit().constData(), "tmpfs", MS_RDONLY, "size=64k") == 0;
        else
            QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    }
    ~ReadOnlyFolder() {
        if (mounted_)
            ::umount(path().toLocal8Bit().constData());
        QFile::setPermissions(path(),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    bool usable() const { return dir_.isValid() && (geteuid() != 0 || mounted_); }
    QString path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
};
