// Where windows open on a screen too small for them: 1280 x 800 at twice the density (QT_SCALE_FACTOR=2),
// 640 x 400 in the windows' own units, under an X server (ctest wraps it in xvfb-run).
#include "MainFormHarness.h"
#include "ui/WindowPlacement.h"

#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QTest>
#include <QWidget>

namespace {

class WindowPlacement : public MainFormHarness {
protected:
    void SetUp() override {
        ASSERT_EQ(qApp->devicePixelRatio(), 2.0) << "run with QT_SCALE_FACTOR=2";
        ASSERT_EQ(QGuiApplication::primaryScreen()->availableGeometry(), QRect(0, 0, 640, 400))
            << "run on a 1280 x 800 screen";
    }
};

TEST_F(WindowPlacement, CentredWhereItFitsAndTopLeftOnTheScreenWhereItDoesNot) {
    const struct {
        QSize client;
        QPoint topLeft;
    } cases[] = {
        {{300, 200}, {170, 100}}, // fits: centred
        {{800, 300}, {0, 50}},    // too wide: at the left edge, centred top to bottom
        {{300, 450}, {170, 0}},   // too tall: at the top, centred left to right
        {{800, 450}, {0, 0}},     // both
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1x%2").arg(c.client.width()).arg(c.client.height()).toStdString());
        QWidget window;
        placeOnScreen(window, c.client);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        EXPECT_EQ(window.size(), c.client);
        EXPECT_EQ(window.frameGeometry().topLeft(), c.topLeft);
    }
}

TEST_F(WindowPlacement, MainWindowLargerThanTheScreenShowsItsMenuBar) {
    start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    const QRect area = form->screen()->availableGeometry();
    EXPECT_GT(form->width(), area.width());
    EXPECT_EQ(form->frameGeometry().topLeft(), area.topLeft());
    const QRect menuBar(form->menuBar()->mapToGlobal(QPoint(0, 0)), form->menuBar()->size());
    EXPECT_TRUE(area.contains(menuBar.topLeft()));
    EXPECT_TRUE(area.contains(form->menuBar()->actionGeometry(form->MenuFile->menuAction()).translated(menuBar.topLeft())));
}

} // namespace
