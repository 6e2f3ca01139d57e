// Which language the user's languages choose, most wanted first as QLocale::uiLanguages() lists them.
#include "app/UserLanguage.h"

#include <gtest/gtest.h>

namespace {

TEST(UserLanguage, TheFirstLanguageWithATranslationWinsAndRussianIsTheSource) {
    const QStringList translated{QStringLiteral("en")};
    const struct {
        QStringList uiLanguages;
        const char* chosen;
    } cases[] = {
        // A locale that names no language keeps the language the program is written in.
        {{QStringLiteral("C")}, ""},
        {{}, ""},
        {{QStringLiteral("ru-RU"), QStringLiteral("ru-Cyrl-RU"), QStringLiteral("ru")}, ""},
        {{QStringLiteral("en"), QStringLiteral("en-Latn-US"), QStringLiteral("en-US")}, "en"},
        {{QStringLiteral("en-GB")}, "en"},
        // Untranslated languages read English before Russian...
        {{QStringLiteral("de-DE"), QStringLiteral("de")}, "en"},
        {{QStringLiteral("uk-UA")}, "en"},
        // ...unless the user names Russian among them, and before English.
        {{QStringLiteral("de"), QStringLiteral("ru")}, ""},
        {{QStringLiteral("de"), QStringLiteral("en"), QStringLiteral("ru")}, "en"},
        {{QStringLiteral("ru"), QStringLiteral("en")}, ""},
        {{QStringLiteral("C"), QStringLiteral("en")}, "en"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.uiLanguages.join(u',').toStdString());
        EXPECT_EQ(UserLanguage::choose(c.uiLanguages, translated), QString::fromLatin1(c.chosen));
    }
    // Another translation, once it is built in, is chosen by its own language.
    EXPECT_EQ(UserLanguage::choose({QStringLiteral("de-DE")}, {QStringLiteral("en"), QStringLiteral("de")}),
              QStringLiteral("de"));
}

TEST(UserLanguage, EnglishIsBuiltIn) {
    EXPECT_TRUE(UserLanguage::translated().contains(QStringLiteral("en")))
        << UserLanguage::translated().join(u',').toStdString();
}

} // namespace
