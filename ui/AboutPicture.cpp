#include "ui/AboutPicture.h"

#include "platform/Errors.h"
#include "platform/PictureBlock.h"

#include <QFile>

namespace AboutPicture {

QImage load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EResourceError("The About picture is missing: " + path.toStdString());
    return PictureBlock::read(file.readAll(), "The About picture");
}

} // namespace AboutPicture
