#pragma once

#include <QIcon>
#include <QList>

// The main window's pictures, compiled in as resources.

// The program icon in all its sizes.
QIcon programIcon();
// The print button's 48 × 48 printer, with its picture for twice the density.
QIcon printerPicture();
// The menu images by index: 0 bulb, 1 printer, 2 person, 3 globe, 4 PDF; 24 × 24 each, with their pictures
// for twice the density.
QList<QIcon> menuImages();
