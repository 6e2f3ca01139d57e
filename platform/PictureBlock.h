#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>

// A 32-bit picture kept as one block: width and height as little-endian 32-bit signed integers, then the
// pixels row by row from the top, each a little-endian 0xAARRGGBB. The pictures are opaque; alpha is dropped.
namespace PictureBlock {

inline constexpr qsizetype HeaderSize = 8;

// Raises EResourceError, naming what, when the block does not hold a whole picture of positive size.
QImage read(QByteArrayView block, const char* what);

QByteArray write(const QImage& picture);

} // namespace PictureBlock
