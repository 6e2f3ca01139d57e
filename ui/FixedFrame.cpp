#include "ui/FixedFrame.h"

#include "ui/OnScreen.h"

#include <QEvent>
#include <QMetaObject>
#include <QObject>
#include <QSize>
#include <QWidget>
#include <QWindow>

namespace {

constexpr Qt::WindowStates Enlarged = Qt::WindowMaximized | Qt::WindowFullScreen;

// Owned by the window it watches.
class FixedFrameGuard : public QObject {
public:
    explicit FixedFrameGuard(QWidget& window) : QObject(&window), window_(window) {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &window_)
            return false;
        switch (event->type()) {
        case QEvent::Show:
            watchStates();
            break;
        case QEvent::WindowStateChange:
            if (window_.windowState() & Enlarged)
                // The window system has made it large; it is asked back once the toolkit has taken that in,
                // or the request would be dropped as no change.
                QMetaObject::invokeMethod(
                    this, [this] { window_.setWindowState(window_.windowState() & ~Enlarged); },
                    Qt::QueuedConnection);
            break;
        case QEvent::Resize:
            // Fixed again only once the window system has given back the normal state and size: a fixed
            // size while it still holds the window maximised would be the same protocol error.
            if (freed_ && !(window_.windowState() & Enlarged) && window_.size() == fixedSize_) {
                freed_ = false;
                window_.setMinimumSize(fixedMin_);
                window_.setMaximumSize(fixedMax_);
            }
            break;
        case QEvent::LayoutRequest:
            // A message box fixes its size again on every layout request.
            return freed_;
        default:
            break;
        }
        return false;
    }

private:
    void watchStates() {
        QWindow* handle = window_.windowHandle();
        if (!handle || handle == watched_)
            return;
        watched_ = handle;
        // Emitted as the request leaves, before the window system answers it: a window that answered a
        // maximised state with its fixed size would be a protocol error that the Wayland connection does not
        // survive.
        connect(handle, &QWindow::windowStateChanged, this, [this](Qt::WindowState state) {
            if ((state & Enlarged) && !freed_) {
                fixedSize_ = window_.size();
                fixedMin_ = window_.minimumSize();
                fixedMax_ = window_.maximumSize();
                freed_ = true;
                window_.setMinimumSize(0, 0);
                window_.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
            }
        });
    }

    QWidget& window_;
    QWindow* watched_ = nullptr;
    bool freed_ = false;
    QSize fixedSize_;
    QSize fixedMin_;
    QSize fixedMax_;
};

} // namespace

void giveFixedFrame(QWidget& window) {
    keepOnScreen(window);
    new FixedFrameGuard(window);
}
