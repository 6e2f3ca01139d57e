// The program's windows as a native client of a headless Wayland compositor (weston-run.sh): a print on the
// private server, and the fixed-size windows asked to maximise or minimise, as the title bar the toolkit
// draws there does on a click. A window that answered a maximise with its own size would be a protocol
// error, and the toolkit ends the program on one; a minimised one would never come back, as the compositor
// neither tells nor lets a client restore it.
#include "PrivateCups.h"
#include "ProgramOnCups.h"
#include "app/ErrorReport.h"
#include "platform/Errors.h"
#include "ui/DlgAbout.h"
#include "ui/Main.h"
#include "ui/PrintButton.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <functional>
#include <memory>

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

// Counts the times the window is hidden and shown.
class ShowsAndHides : public QObject {
public:
    explicit ShowsAndHides(QWidget& window) { window.installEventFilter(this); }
    int shown = 0;
    int hidden = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        shown += event->type() == QEvent::Show;
        hidden += event->type() == QEvent::Hide;
        return false;
    }
};

// Runs a modal window and, once it is up, asks it to minimise, as the title bar's button does; it must be
// shown anew (a new surface, which the compositor maps) and run on as the modal window. Watched from the
// event loop, as showing it anew ends one modal run and starts the next.
void minimiseDuringModalRun(const std::function<void()>& run) {
    QPointer<QWidget> window;
    std::unique_ptr<ShowsAndHides> seen;
    bool asked = false;
    bool anew = false;
    QElapsedTimer clock;
    clock.start();
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!asked) {
            if (!modal || !modal->windowHandle() || !modal->windowHandle()->isExposed())
                return;
            window = modal;
            asked = true;
            seen = std::make_unique<ShowsAndHides>(*window);
            window->windowHandle()->setWindowState(Qt::WindowMinimized);
            return;
        }
        anew = window && seen->hidden == 1 && seen->shown == 1 && window->isVisible() &&
               window->windowHandle()->isExposed() && modal == window;
        if (anew || clock.elapsed() > 10000) {
            poll.stop();
            if (auto* dialog = qobject_cast<QDialog*>(window.data()))
                dialog->reject();
        }
    });
    poll.start();
    run();
    ASSERT_TRUE(asked) << "no modal window came up";
    EXPECT_TRUE(anew) << "hidden " << seen->hidden << ", shown " << seen->shown;
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

TEST_F(WaylandWindows, DialogsAskedToMinimiseAreShownAnew) {
    ProgramOnCups program;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&program.form));
    minimiseDuringModalRun([&] { runAboutCommand(&program.form); });
    // The error box at start-up, the program's only window then.
    program.form.hide();
    ErrorReport::setPresenter({});
    minimiseDuringModalRun(
        [] { ErrorReport::show(std::make_exception_ptr(EPrinter("System Error.  Code: 1282."))); });
}

} // namespace
