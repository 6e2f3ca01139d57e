// The program: the print system started beside the application object, the printer, the main window and
// the message loop.
#include "app/CommandLine.h"
#include "app/ErrorReport.h"
#include "app/TApplication.h"
#include "platform/PrintBackendModule.h"
#include "platform/UiThread.h"
#include "printing/PrintSystemStart.h"
#include "ui/Fonts.h"
#include "ui/PasswordDialog.h"
#include "ui/Pictures.h"
#include "ui/RunMainWindow.h"

#include <QApplication>
#include <QCoreApplication>

#include <memory>

namespace {

// A print server that wants a password asks in a dialog, never on the terminal; the dialog is the
// user-interface thread's, whichever thread the server's question came on.
std::optional<PasswordAnswer> askInDialog(const PasswordQuestion& question) {
    std::optional<PasswordAnswer> answer;
    UiThread::run([&] { answer = askPrintServerPassword(question); });
    return answer;
}

std::unique_ptr<PrintSystem> makePrintSystem() {
    const PrintBackend& backend = printBackend();
    backend.setPasswordPrompt(askInDialog);
    return backend.makeSystem(ListFailure::Empty);
}

// The print system's start: its library loads, and the server answers the start's questions, on a thread of
// its own. It begins as the toolkit's own start ends, its plug-ins loaded (the loader serves one thread at a
// time), and runs beside the widgets', the fonts' and the window's set-up; the window's first question about
// printers waits for it.
std::unique_ptr<PrintSystemStart>& printSystemStart() {
    static std::unique_ptr<PrintSystemStart> start;
    return start;
}

} // namespace

int main(int argc, char** argv) {
    if (CommandLine::requested(argc, argv))
        return CommandLine::run(argc, argv);
    UiThread::markCurrent();
    qAddPreRoutine([] { printSystemStart() = std::make_unique<PrintSystemStart>(makePrintSystem); });
    TApplication app(argc, argv);
    UiThread::applicationReady();
    // Every window's icon, the start-up error box's included, which comes before the main window.
    QApplication::setWindowIcon(programIcon());
    registerApplicationFonts();
    // A failed creation handler is reported before the window shows; the window opens all the same.
    runMainWindow(std::move(printSystemStart()), ErrorReport::guard);
    return 0;
}
