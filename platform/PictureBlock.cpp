#include "platform/PictureBlock.h"

#include "platform/Errors.h"

#include <QtEndian>

#include <string>

namespace PictureBlock {
namespace {

[[noreturn]] void damaged(const char* what, const std::string& reason) {
    throw EResourceError(std::string(what) + " is damaged: " + reason);
}

qint32 int32At(QByteArrayView block, qsizetype offset) {
    return qFromLittleEndian<qint32>(block.data() + offset);
}

} // namespace

QImage read(QByteArrayView block, const char* what) {
    if (block.size() < HeaderSize)
        damaged(what, "its block of " + std::to_string(block.size()) + " bytes is too short for a size");
    const qint32 width = int32At(block, 0);
    const qint32 height = int32At(block, 4);
    if (width <= 0 || height <= 0)
        damaged(what,
                "its size " + std::to_string(width) + " x " + std::to_string(height) + " is not positive");
    // Compared by division: the product of two 31-bit sizes does not fit in 64 bits once multiplied by 4.
    const qsizetype pixelBytes = block.size() - HeaderSize;
    const qsizetype pixels = pixelBytes / 4;
    if (pixelBytes % 4 != 0 || pixels / height != width || pixels % height != 0)
        damaged(what, "its block of " + std::to_string(block.size()) + " bytes does not hold " +
                          std::to_string(width) + " x " + std::to_string(height) + " pixels");

    QImage picture(width, height, QImage::Format_RGB32);
    if (picture.isNull())
        damaged(what, "there is no memory for " + std::to_string(width) + " x " + std::to_string(height) +
                          " pixels");
    const char* source = block.data() + HeaderSize;
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<quint32*>(picture.scanLine(y));
        for (int x = 0; x < width; ++x, source += 4)
            row[x] = qFromLittleEndian<quint32>(source) | 0xff000000u;
    }
    return picture;
}

QByteArray write(const QImage& picture) {
    const QImage pixels = picture.convertToFormat(QImage::Format_RGB32);
    QByteArray block(HeaderSize + qsizetype(4) * pixels.width() * pixels.height(), Qt::Uninitialized);
    char* out = block.data();
    qToLittleEndian<qint32>(pixels.width(), out);
    qToLittleEndian<qint32>(pixels.height(), out + 4);
    out += HeaderSize;
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* row = reinterpret_cast<const quint32*>(pixels.constScanLine(y));
        for (int x = 0; x < pixels.width(); ++x, out += 4)
            qToLittleEndian<quint32>(row[x] | 0xff000000u, out);
    }
    return block;
}

} // namespace PictureBlock
