#include "ui/AboutPicture.h"

#include "platform/Errors.h"
#include "platform/PictureBlock.h"

#include <QCoreApplication>
#include <QFile>

namespace AboutPicture {

QString shownPath() {
    //: The resource of the About picture drawn with the header in this language (assets/about.cmake).
    return QCoreApplication::translate("AboutPicture", ":/about/AboutPicture.bin");
}

QImage load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EResourceError(
            QCoreApplication::translate("AboutPicture", "Нет картинки окна «О программе»: %1")
                .arg(path)
                .toStdString());
    return PictureBlock::read(file.readAll(), "The About picture");
}

} // namespace AboutPicture
