// Where the program's start-up time goes: the steps of its main, in its order, each timed, then the first
// exposure and the first paint of the main window. The printer list and the default printer, which the
// window's creation asks for, are asked for here first so that their time shows apart. Prints one line
// per step to stderr, milliseconds since main was entered. With STARTED_AT_NS set to the CLOCK_MONOTONIC time
// of the exec, in nanoseconds, the time from the exec to main (loading the libraries) comes first.
#include "app/ErrorReport.h"
#include "app/TApplication.h"
#include "platform/cups/CupsPrintSystem.h"
#include "printing/TPrinter.h"
#include "ui/Fonts.h"
#include "ui/Main.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>

namespace {

QElapsedTimer clock_;

void mark(const char* step) {
    std::fprintf(stderr, "%8.2f  %s\n", static_cast<double>(clock_.nsecsElapsed()) / 1e6, step);
}

// Marks the main window's first exposure and first paint, then ends the loop.
class FirstPaint : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && !exposed_ && qobject_cast<QWindow*>(watched)) {
            exposed_ = true;
            mark("exposed");
        }
        if (event->type() == QEvent::Paint && exposed_ && !painted_ && qobject_cast<QWidget*>(watched)) {
            painted_ = true;
            QTimer::singleShot(0, qApp, [] {
                mark("first paint done");
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool exposed_ = false;
    bool painted_ = false;
};

} // namespace

int main(int argc, char** argv) {
    clock_.start();
    if (const char* startedAt = std::getenv("STARTED_AT_NS")) {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        const double ns = static_cast<double>(now.tv_sec) * 1e9 + static_cast<double>(now.tv_nsec) -
                          std::strtod(startedAt, nullptr);
        std::fprintf(stderr, "%8.2f  exec to main (libraries loaded)\n", -ns / 1e6);
    }
    mark("main");
    TApplication app(argc, argv);
    app.installEventFilter(new FirstPaint(&app));
    mark("application object (display connection, style, platform)");
    registerApplicationFonts();
    mark("fonts registered");

    TPrinter printer(std::make_unique<CupsPrintSystem>());
    ErrorReport::guard([&] { printer.Printers(); });
    mark("printer list");
    ErrorReport::guard([&] { printer.PrinterIndex(); });
    mark("default printer and its settings");
    TMainForm MainForm(printer);
    mark("main window made");
    ErrorReport::guard([&] { MainForm.FormCreate(); });
    mark("creation handler");
    MainForm.showFirst();
    mark("shown (first layout, preview drawn)");
    app.exec();
    return 0;
}
