// The program: the application object, the printer, the main window and the message loop.
#include "app/CommandLine.h"
#include "app/ErrorReport.h"
#include "app/TApplication.h"
#include "platform/cups/CupsPassword.h"
#include "platform/cups/CupsPrintSystem.h"
#include "ui/Fonts.h"
#include "ui/PasswordDialog.h"
#include "ui/Pictures.h"
#include "ui/RunMainWindow.h"

#include <QApplication>

#include <memory>

int main(int argc, char** argv) {
    if (CommandLine::requested(argc, argv))
        return CommandLine::run(argc, argv);
    TApplication app(argc, argv);
    // Every window's icon, the start-up error box's included, which comes before the main window.
    QApplication::setWindowIcon(programIcon());
    registerApplicationFonts();

    // A print server that wants a password asks in a dialog, never on the terminal.
    CupsPassword::setPrompt(askPrintServerPassword);
    // A failed creation handler is reported before the window shows; the window opens all the same.
    runMainWindow(std::make_unique<CupsPrintSystem>(), ErrorReport::guard);
    return 0;
}
