#include "ui/Fonts.h"

#include <QFile>
#include <QFontDatabase>

namespace {
// Only the regular face: the bold file of that package draws regular weight, and Qt's synthetic bold looks
// right.
const char* const TahomaPath = "/usr/share/wine/fonts/tahoma.ttf";
} // namespace

void registerApplicationFonts() {
    static const bool registered = QFile::exists(QString::fromLatin1(TahomaPath)) &&
                                   QFontDatabase::addApplicationFont(QString::fromLatin1(TahomaPath)) != -1;
    Q_UNUSED(registered);
}

QFont windowFont() {
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(13);
    return font;
}

QFont headingFont() {
    QFont font = windowFont();
    font.setBold(true);
    return font;
}
