#include "app/UserLanguage.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>

namespace UserLanguage {
namespace {
const QString Catalogues = QStringLiteral(":/i18n");
const QString Russian = QString();
const QString English = QStringLiteral("en");
} // namespace

QString choose(const QStringList& uiLanguages, const QStringList& translated) {
    bool namesALanguage = false;
    for (const QString& name : uiLanguages) {
        const QLocale::Language language = QLocale(name).language();
        if (language == QLocale::C || language == QLocale::AnyLanguage)
            continue;
        if (language == QLocale::Russian)
            return Russian;
        const QString code = QLocale::languageToCode(language);
        if (translated.contains(code))
            return code;
        namesALanguage = true;
    }
    return namesALanguage && translated.contains(English) ? English : Russian;
}

QStringList translated() {
    QStringList codes;
    for (const QString& file : QDir(Catalogues).entryList({QStringLiteral("vornel_*.qm")}, QDir::Files))
        codes << file.sliced(7, file.size() - 10);
    return codes;
}

Installed::Installed() {
    const QString code = choose(QLocale::system().uiLanguages(), translated());
    if (!code.isEmpty() && program_.load(QStringLiteral("vornel_") + code, Catalogues))
        QCoreApplication::installTranslator(&program_);
    const QString qtCode = code.isEmpty() ? QStringLiteral("ru") : code;
    // Qt's texts are written in English: it has no catalogue for that.
    if (qtCode != English &&
        qt_.load(QStringLiteral("qtbase_") + qtCode, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qt_);
}

} // namespace UserLanguage
