#include "SaveFile.h"

#include "Errors.h"

#include <QDir>
#include <QSaveFile>

void saveFileWhole(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw EFCreateError(QDir::toNativeSeparators(path).toStdString(), file.errorString().toStdString());
}
