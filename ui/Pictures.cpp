#include "ui/Pictures.h"

#include "ui/DeferredIcon.h"

#include <QFile>
#include <QImage>
#include <QSize>
#include <QString>

#include <png.h>

#include <utility>

namespace {

// Decoded by libpng itself: Qt's image reader first reads the description of every image plugin installed,
// even for a format it decodes on its own, which cost start-up more than decoding all the pictures. Null
// when the picture can't be read.
QImage readPng(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray data = file.readAll();
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, data.constData(), static_cast<size_t>(data.size())))
        return {};
    // QImage's 32-bit pixels are 0xAARRGGBB words.
    png.format = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? PNG_FORMAT_BGRA : PNG_FORMAT_ARGB;
    QImage picture(static_cast<int>(png.width), static_cast<int>(png.height), QImage::Format_ARGB32);
    if (picture.isNull() ||
        !png_image_finish_read(&png, nullptr, picture.bits(), static_cast<png_int_32>(picture.bytesPerLine()),
                               nullptr)) {
        png_image_free(&png);
        return {};
    }
    return picture;
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

namespace {

// A picture of the given size and its twice as large twin, name@2x.png.
QIcon withTwiceTheDensity(const QString& name, int size) {
    return resourceIcon({{QStringLiteral(":/icons/%1.png").arg(name), size},
                         {QStringLiteral(":/icons/%1@2x.png").arg(name), 2 * size}});
}

} // namespace

QIcon printerPicture() {
    return withTwiceTheDensity(QStringLiteral("printer-48"), 48);
}

QList<QIcon> menuImages() {
    // Decoded when their menu first opens.
    QList<QIcon> images;
    for (const char* name : {"bulb", "printer", "person", "globe", "pdf"})
        images.append(withTwiceTheDensity(QStringLiteral("menu-%1-24").arg(QLatin1String(name)), 24));
    return images;
}
