// The program: the application object, the print system started beside the window, the main window and the
// message loop.
#include "app/CommandLine.h"
#include "app/ErrorReport.h"
#include "app/TApplication.h"
#include "platform/PrintBackendModule.h"
#include "printing/PrinterStart.h"
#include "ui/Fonts.h"
#include "ui/PasswordOnUiThread.h"
#include "ui/Pictures.h"
#include "ui/RunMainWindow.h"

#include <QApplication>

#include <memory>

namespace {

// A print server that wants a password asks in the window's dialog, never on the terminal.
std::unique_ptr<PrintSystem> makePrintSystem() {
    const PrintBackend& backend = printBackend();
    backend.setPasswordPrompt(askPrintServerPasswordOnUiThread);
    return backend.makeSystem(ListFailure::Empty);
}

} // namespace

int main(int argc, char** argv) {
    if (CommandLine::requested(argc, argv))
        return CommandLine::run(argc, argv);
    TApplication app(argc, argv);
    // The print system's library loads and its server answers the start's questions on a thread of its own,
    // once the toolkit's plug-ins are loaded (the loader serves one thread at a time), beside the fonts' and
    // the window's set-up.
    const PrinterStartThread start(makePrintSystem);
    // Every window's icon, the start-up error box's included, which comes before the main window.
    QApplication::setWindowIcon(programIcon());
    registerApplicationFonts();
    // A failed creation handler is reported before the window shows; the window opens all the same.
    runMainWindow(start.future(), ErrorReport::guard);
    return 0;
}
