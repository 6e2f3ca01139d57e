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

QString densePath(const QString& path) {
    const qsizetype dot = path.lastIndexOf(u'.');
    return dot > path.lastIndexOf(u'/') ? path.left(dot) + QStringLiteral("@2x") + path.mid(dot)
                                        : path + QStringLiteral("@2x");
}

QImage loadFor(qreal devicePixelRatio, const QString& path) {
    if (devicePixelRatio <= 1)
        return load(path);
    // Shrinking the dense rendition on a screen between the two densities keeps it sharper than
    // enlarging the plain one.
    QImage picture = load(densePath(path));
    picture.setDevicePixelRatio(2);
    return picture;
}

} // namespace AboutPicture
