#include "platform/Shell.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(Shell, ReadsATextAsTheDesktopShellReadsAFileArgument) {
    struct Case {
        const char* text;
        const char* url;
    } cases[] = {
        {"http://vornel.example", "http://vornel.example"},
        {"\"http://vornel.example/support.php\"", "http://vornel.example/support.php"},
        {"\"\"http://a\"\"", "\"http://a\""}, // only one pair comes off
        {"\"", "\""},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Shell::urlFromShellText(QString::fromUtf8(c.text)), QString::fromUtf8(c.url));
    }
}

TEST(Shell, OpenGoesToTheInstalledOpenerWithItsShowCommand) {
    std::vector<std::pair<QString, int>> opened;
    Shell::setOpener([&](const QString& text, int show) {
        opened.emplace_back(text, show);
        return true;
    });
    Shell::open(QStringLiteral("\"http://vornel.example\""), SW_SHOWNORMAL);
    Shell::setOpener({});
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].first, QStringLiteral("\"http://vornel.example\""));
    EXPECT_EQ(opened[0].second, 1);
}

} // namespace
