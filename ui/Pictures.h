#pragma once

#include <QIcon>
#include <QList>
#include <QPixmap>

// The main window's pictures, compiled in as resources.

// The program icon in all its sizes.
QIcon programIcon();
// The print button's 48 × 48 printer.
QPixmap printerPicture();
// The menu images by index: 0 bulb, 1 printer, 2 person, 3 globe, 4 PDF; 24 × 24 each.
QList<QIcon> menuImages();
