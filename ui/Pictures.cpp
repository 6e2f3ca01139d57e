#include "Pictures.h"

#include <QString>

QIcon programIcon() {
    // The sizes a title bar and a window switcher draw. The 256-pixel picture reaches the desktop through
    // the installed icon theme; decoding it here and sending it to the display cost every start-up a
    // millisecond and a quarter of a megabyte for nothing.
    QIcon icon;
    for (int size : {16, 24, 32, 48})
        icon.addFile(QStringLiteral(":/icons/vornel-%1.png").arg(size), QSize(size, size));
    return icon;
}

QPixmap printerPicture() {
    return QPixmap(QStringLiteral(":/icons/printer-48.png"));
}

QList<QIcon> menuImages() {
    QList<QIcon> images;
    for (const char* name : {"bulb", "printer", "person", "globe", "pdf"})
        images.append(QIcon(QStringLiteral(":/icons/menu-%1-24.png").arg(QLatin1String(name))));
    return images;
}
