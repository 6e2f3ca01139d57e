#include "SaveFile.h"

#include "Errors.h"

#include <QDir>
#include <QSaveFile>

void saveFileWhole(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    // Unbuffered: a write that fails while a buffer is flushed on commit goes unnoticed, and an empty file
    // would replace the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(bytes) != bytes.size() ||
        !file.commit())
        throw EFCreateError(QDir::toNativeSeparators(path).toStdString(), file.errorString().toStdString());
}
