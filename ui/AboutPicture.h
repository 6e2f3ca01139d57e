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

} // namespace AboutPicture
