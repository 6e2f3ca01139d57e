#include "Pictures.h"

#include <QString>

QIcon programIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 256})
        icon.addFile(QStringLiteral(":/icons/vornel-%1.png").arg(size), QSize(size, size));
    return icon;
}

QPixmap printerPicture() {
    return QPixmap(QStringLiteral(":/icons/printer-48.png"));
}

QList<QIcon> menuImages() {
    QList<QIcon> images;
    for (const char* name : {"bulb", "printer", "person", "globe"})
        images.append(QIcon(QStringLiteral(":/icons/menu-%1-24.png").arg(QLatin1String(name))));
    return images;
}
