// The program's windows as a native client of a headless Wayland compositor (weston-run.sh): a print on the
// private server, and the fixed-size windows asked to maximise, as the title bar the toolkit draws there
// does on a click. A window that answered with its own size would be a protocol error, and the toolkit ends
// the program on one.
#include "PrivateCups.h"
#include "ProgramOnCups.h"
#include "app/ErrorReport.h"
#include "platform/Errors.h"
#include "ui/DlgAbout.h"
#include "ui/Main.h"
#include "ui/PrintButton.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QObject>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <functional>

namespace {

// Asks the window to maximise, as the title bar's button does, and waits for it to be back in its normal
// state at its own size, fixed again. A protocol error on the way ends the test program.
void maximiseAndSurvive(QWidget& window) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QSize fixed = window.size();
    QWindow* handle = window.windowHandle();
    ASSERT_NE(handle, nullptr);
    QList<Qt::WindowState> states;
    const QObject listening;
    QObject::connect(handle, &QWindow::windowStateChanged, &listening,
                     [&states](Qt::WindowState s) { states << s; });
    handle->setWindowStates(Qt::WindowMaximized);
    // Maximised as asked, then back in the normal state at its own size.
    const bool back = QTest::qWaitFor(
        [&] {
            return states.contains(Qt::WindowMaximized) && handle->windowStates() == Qt::WindowNoState &&
                   window.size() == fixed;
        },
        20000);
    EXPECT_TRUE(back) << "size " << window.width() << " x " << window.height();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.minimumSize(), fixed);
    EXPECT_EQ(window.maximumSize(), fixed);
}

class WaylandWindows : public ReportedErrors {
protected:
    void SetUp() override {
        ReportedErrors::SetUp();
        PrivateCups::deleteAll();
    }
};

TEST_F(WaylandWindows, RunOnTheWaylandPlatform) {
    EXPECT_EQ(QGuiApplication::platformName(), QStringLiteral("wayland"));
    EXPECT_TRUE(qEnvironmentVariableIsEmpty("DISPLAY"));
}

TEST_F(WaylandWindows, PrintButtonPrintsOnTheDefaultQueue) {
    PrivateCups::addQueue(QStringLiteral("Wayland"));
    PrivateCups::setDefault(QStringLiteral("Wayland"));
    const QString out = PrivateCups::outputFile(QStringLiteral("Wayland"));
    QFile::remove(out);
    ProgramOnCups program;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&program.form));
    program.form.BtnPrint->click();
    PrivateCups::waitForOutput(QStringLiteral("Wayland"), out);
    EXPECT_TRUE(reported.isEmpty()) << reported.join(u'\n').toStdString();
    EXPECT_GT(QFileInfo(out).size(), 0);
}

TEST_F(WaylandWindows, AboutDialogAskedToMaximiseStaysAndKeepsItsSize) {
    ProgramOnCups program;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&program.form));
    runAboutCommand(&program.form, [](TFormAbout& dialog) {
        dialog.show();
        maximiseAndSurvive(dialog);
        dialog.close();
    });
}

TEST_F(WaylandWindows, ErrorBoxAskedToMaximiseStaysAndKeepsItsSize) {
    ErrorReport::setPresenter({});
    bool checked = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        maximiseAndSurvive(*box);
        checked = true;
        box->accept();
    });
    ErrorReport::show(std::make_exception_ptr(EPrinter("System Error.  Code: 1282.")));
    EXPECT_TRUE(checked);
}

} // namespace
