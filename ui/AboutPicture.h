#pragma once

#include <QImage>
#include <QString>

// The picture behind the About dialog, compiled in as a resource.
namespace AboutPicture {

inline constexpr int Width = 565;
inline constexpr int Height = 380;
inline const QString ResourcePath = QStringLiteral(":/about/AboutPicture.bin");

// The picture whose header speaks the program's language.
QString shownPath();

// Read afresh for every dialog; raises EResourceError when the resource is missing or damaged.
QImage load(const QString& path = shownPath());

// The rendition drawn for screens of twice the density beside the picture at path ("name@2x.bin").
QString densePath(const QString& path);

// The picture for a screen of that device pixel ratio: the rendition drawn at twice the size, marked as
// such, on any screen denser than one to one, the plain picture otherwise.
QImage loadFor(qreal devicePixelRatio, const QString& path = shownPath());

} // namespace AboutPicture
