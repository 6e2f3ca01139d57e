// Linked into the benchmark builds of the program and of the bare window: the event loop ends right after
// the first window has painted, so the time from exec to exit is the time to the first picture on screen
// plus an orderly exit. It hooks in when the application object is made, so the program's own main runs
// unchanged.
#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <QMetaObject>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <cstdlib>

namespace {

class QuitOnFirstPaint : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !quitting_) {
            auto* widget = qobject_cast<QWidget*>(watched);
            // Only a paint that reaches the screen counts, not one into a window still hidden.
            if (widget && widget->window()->windowHandle() && widget->window()->windowHandle()->isExposed()) {
                // An error box before the main window means the measured start was not the ordinary one.
                if (qobject_cast<QDialog*>(widget->window())) {
                    std::fputs("a dialog painted before the main window\n", stderr);
                    std::_Exit(3);
                }
                quitting_ = true;
                // Queued: the rest of this paint pass, down to the flush to the screen, finishes first.
                QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool quitting_ = false;
};

void installQuitOnFirstPaint() {
    qApp->installEventFilter(new QuitOnFirstPaint(qApp));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installQuitOnFirstPaint)
