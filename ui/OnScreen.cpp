#include "ui/OnScreen.h"

#include <QDialog>
#include <QEvent>
#include <QGuiApplication>
#include <QLatin1String>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <QWindow>

#include <utility>

namespace {

const char* const GuardName = "OnScreenGuard";

// Owned by the window it watches.
class OnScreenGuard : public QObject {
public:
    explicit OnScreenGuard(QWidget& window) : QObject(&window), window_(window) {
        setObjectName(QLatin1String(GuardName));
        window.installEventFilter(this);
    }

    static OnScreenGuard* of(QWidget& window) {
        return dynamic_cast<OnScreenGuard*>(
            window.findChild<QObject*>(QLatin1String(GuardName), Qt::FindDirectChildrenOnly));
    }

    void setModalRun(bool running) { modalRun_ = running; }
    // Once: the modal run ended because the window was taken down to be shown anew.
    bool takeReopen() { return std::exchange(reopen_, false); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window_) {
            if (event->type() == QEvent::Show)
                watchStates();
            else if (event->type() == QEvent::WindowStateChange && window_.isMinimized())
                comeBack();
        }
        return false;
    }

private:
    void watchStates() {
        QWindow* handle = window_.windowHandle();
        if (!handle || handle == watched_)
            return;
        watched_ = handle;
        // A request to minimise (the button of a title bar the toolkit draws) announces itself here as it
        // leaves, also where the window system never answers it.
        connect(handle, &QWindow::windowStateChanged, this, [this](Qt::WindowState state) {
            if (state & Qt::WindowMinimized)
                comeBack();
        });
    }

    void comeBack() {
        if (pending_)
            return;
        pending_ = true;
        // Queued: the toolkit takes the minimised state in only after it has announced it.
        QMetaObject::invokeMethod(
            this,
            [this] {
                pending_ = false;
                if (!window_.isVisible())
                    return;
                if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
                    reopen_ = modalRun_;
                    window_.hide();
                    if (!reopen_)
                        window_.show();
                    return;
                }
                window_.setWindowState(window_.windowState() & ~Qt::WindowMinimized);
                window_.raise();
                window_.activateWindow();
            },
            Qt::QueuedConnection);
    }

    QWidget& window_;
    QWindow* watched_ = nullptr;
    bool pending_ = false;
    bool modalRun_ = false;
    bool reopen_ = false;
};

} // namespace

void keepOnScreen(QWidget& window) {
    window.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint);
    new OnScreenGuard(window);
}

int execOnScreen(QDialog& dialog) {
    // Guarded: a dialog that deletes itself on closing takes its guard with it.
    const QPointer<OnScreenGuard> guard = OnScreenGuard::of(dialog);
    if (!guard)
        return dialog.exec();
    for (;;) {
        guard->setModalRun(true);
        const int result = dialog.exec();
        if (!guard)
            return result;
        guard->setModalRun(false);
        if (!guard->takeReopen())
            return result;
    }
}
