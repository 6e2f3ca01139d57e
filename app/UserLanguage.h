#pragma once

#include <QString>
#include <QStringList>
#include <QTranslator>

// The language the program speaks: Russian, the language its texts are written in, unless the user's
// languages name one of its translations first. A user whose languages are all untranslated reads English
// rather than Russian; a locale that names no language (C, POSIX) keeps Russian.
namespace UserLanguage {

// The code of the translation to load ("en"), or an empty text for Russian. uiLanguages come most wanted
// first, as QLocale::uiLanguages() gives them; translated are the codes of the program's translations.
QString choose(const QStringList& uiLanguages, const QStringList& translated);

// The codes of the translations built into the program.
QStringList translated();

// The program's catalogue and Qt's own for the chosen language, installed into the running application for
// as long as this object lives. Qt's comes from its package qt6-translations-l10n; without it Qt's stock
// texts stay English.
class Installed {
public:
    Installed();
    Installed(const Installed&) = delete;
    Installed& operator=(const Installed&) = delete;

private:
    QTranslator program_;
    QTranslator qt_;
};

} // namespace UserLanguage
