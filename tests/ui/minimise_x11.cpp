// The windows the program waits on, minimised under a real window manager (openbox on Xvfb, as
// with-openbox.sh runs it): each comes back at once, and its owner with it, so the program never runs with
// nothing on screen. The request is the one a taskbar or a window manager's key sends (WM_CHANGE_STATE).
#include "app/ErrorReport.h"
#include "platform/Errors.h"
#include "ui/DlgAbout.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QObject>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <exception>

namespace {

// The ICCCM state the window manager gives the window: "Normal", "Iconic", or "Withdrawn".
QString wmState(const QWidget& window) {
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"),
                {QStringLiteral("-id"), QString::number(window.winId()), QStringLiteral("WM_STATE")});
    xprop.waitForFinished();
    const auto match = QRegularExpression(QStringLiteral("window state: (\\w+)"))
                           .match(QString::fromLocal8Bit(xprop.readAllStandardOutput()));
    return match.hasMatch() ? match.captured(1) : QStringLiteral("Withdrawn");
}

// Minimises the window through the window manager and waits until it has been minimised and is back.
void minimiseAndSeeItBack(QWidget& window, const QWidget* owner) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QWindow* handle = window.windowHandle();
    ASSERT_NE(handle, nullptr);
    bool minimised = false;
    const QObject listening;
    QObject::connect(handle, &QWindow::windowStateChanged, &listening,
                     [&minimised](Qt::WindowState s) { minimised = minimised || (s & Qt::WindowMinimized); });
    ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"),
                                {QStringLiteral("windowminimize"), QString::number(window.winId())}),
              0);
    const bool back = QTest::qWaitFor(
        [&] { return minimised && wmState(window) == u"Normal" && handle->isExposed(); }, 10000);
    EXPECT_TRUE(minimised) << "the window manager never minimised the window";
    EXPECT_TRUE(back) << "window state " << wmState(window).toStdString();
    EXPECT_TRUE(window.isVisible());
    if (owner) {
        EXPECT_EQ(wmState(*owner).toStdString(), "Normal");
    }
}

TEST(MinimisedUnderAWindowManager, TheAboutDialogComesBackWithItsOwner) {
    QWidget owner;
    owner.setWindowTitle(QStringLiteral("owner"));
    owner.setGeometry(100, 100, 700, 500);
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    bool checked = false;
    QTimer::singleShot(0, [&] {
        ASSERT_NE(FormAbout, nullptr);
        minimiseAndSeeItBack(*FormAbout, &owner);
        checked = true;
        FormAbout->CloseButton->click();
    });
    runAboutCommand(&owner);
    EXPECT_TRUE(checked);
}

TEST(MinimisedUnderAWindowManager, TheErrorBoxAtStartUpComesBack) {
    // Before the main window, the box is the program's only window.
    ErrorReport::setPresenter({});
    bool checked = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        minimiseAndSeeItBack(*box, nullptr);
        checked = true;
        box->accept();
    });
    ErrorReport::show(std::make_exception_ptr(EPrinter("System Error.  Code: 1282.")));
    EXPECT_TRUE(checked);
}

} // namespace
