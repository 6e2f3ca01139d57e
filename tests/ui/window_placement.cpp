// Where windows open on a screen too small for them: 1280 x 800 at twice the density (QT_SCALE_FACTOR=2),
// 640 x 400 in the windows' own units, under an X server (ctest wraps it in xvfb-run).
#include "MainFormHarness.h"
#include "ui/PrintButton.h"
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

TEST_F(WindowPlacement, CentredWhereItFitsAndNoLargerThanTheScreenWhereItDoesNot) {
    const struct {
        QSize client;
        QSize size;
        QPoint topLeft;
    } cases[] = {
        {{300, 200}, {300, 200}, {170, 100}}, // fits: centred
        {{800, 300}, {640, 300}, {0, 50}},    // too wide: as wide as the screen, centred top to bottom
        {{300, 450}, {300, 400}, {170, 0}},   // too tall: as tall as the screen, centred left to right
        {{800, 450}, {640, 400}, {0, 0}},     // both
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1x%2").arg(c.client.width()).arg(c.client.height()).toStdString());
        QWidget window;
        placeOnScreen(window, c.client);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        EXPECT_EQ(window.size(), c.size);
        EXPECT_EQ(window.frameGeometry().topLeft(), c.topLeft);
    }
}

// Designed larger than this screen, the main window opens as large as the screen: its menu bar, lists and
// print button all on it.
TEST_F(WindowPlacement, MainWindowLargerThanTheScreenOpensOnIt) {
    start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    const QRect area = form->screen()->availableGeometry();
    EXPECT_TRUE(area.contains(form->frameGeometry()))
        << form->frameGeometry().width() << "x" << form->frameGeometry().height();
    EXPECT_EQ(form->frameGeometry().topLeft(), area.topLeft());
    for (const QWidget* control :
         {static_cast<const QWidget*>(form->ListBoxPrinters),
          static_cast<const QWidget*>(form->ListBoxTemplates), static_cast<const QWidget*>(form->BtnPrint)})
        EXPECT_TRUE(area.contains(QRect(control->mapToGlobal(QPoint(0, 0)), control->size())))
            << control->metaObject()->className();
    const QRect menuBar(form->menuBar()->mapToGlobal(QPoint(0, 0)), form->menuBar()->size());
    EXPECT_TRUE(area.contains(menuBar.topLeft()));
    EXPECT_TRUE(area.contains(form->menuBar()->actionGeometry(form->MenuFile->menuAction()).translated(menuBar.topLeft())));
}

} // namespace
