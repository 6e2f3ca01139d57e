#pragma once

#include <QFont>

// Tahoma is not on a Linux desktop by default; the copy that comes with the Windows compatibility fonts lives
// where fontconfig does not look, so it is registered with the application when it is there.
void registerApplicationFonts();

// The windows' font: Tahoma with a character height of 13 px.
QFont windowFont();

// The bold headings over the two lists; Qt emboldens the regular face.
QFont headingFont();
