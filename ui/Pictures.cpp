#include "Pictures.h"

#include "DeferredIcon.h"

#include <QImage>
#include <QImageReader>
#include <QSize>
#include <QString>

#include <utility>

namespace {

// Read with the format named and the guessing off: asked to guess, the reader loads every image plugin to
// ask whether it knows the file, which cost start-up more than decoding all the pictures.
QImage readPng(const QString& path) {
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

// Resource pictures of the given square sizes, decoded when the icon is first drawn.
QIcon resourceIcon(QList<std::pair<QString, int>> files) {
    QList<QSize> sizes;
    for (const auto& file : files)
        sizes.append(QSize(file.second, file.second));
    return deferredIcon(
        [files = std::move(files)] {
            QIcon icon;
            for (const auto& file : files)
                icon.addPixmap(QPixmap::fromImage(readPng(file.first)));
            return icon;
        },
        std::move(sizes));
}

} // namespace

QIcon programIcon() {
    // The sizes a title bar and a window switcher draw. The 256-pixel picture reaches the desktop through
    // the installed icon theme; decoding it here and sending it to the display cost every start-up a
    // millisecond and a quarter of a megabyte for nothing.
    QList<std::pair<QString, int>> files;
    for (int size : {16, 24, 32, 48})
        files.append({QStringLiteral(":/icons/vornel-%1.png").arg(size), size});
    return resourceIcon(std::move(files));
}

QPixmap printerPicture() {
    return QPixmap::fromImage(readPng(QStringLiteral(":/icons/printer-48.png")));
}

QList<QIcon> menuImages() {
    // Decoded when their menu first opens.
    QList<QIcon> images;
    for (const char* name : {"bulb", "printer", "person", "globe", "pdf"})
        images.append(
            resourceIcon({{QStringLiteral(":/icons/menu-%1-24.png").arg(QLatin1String(name)), 24}}));
    return images;
}
