// The program's two windows for a screen reader to read: the main window over a few fake printers and, with
// "about", the About dialog over it. Links are not handed to a browser: each one opened is written to
// standard output as "opened URL", so the test can press a link through the accessibility bus.
#include "BorrowedPrintSystem.h"
#include "FakePrintSystem.h"
#include "app/TApplication.h"
#include "platform/Shell.h"
#include "printing/PrinterStart.h"
#include "ui/DlgAbout.h"
#include "ui/Fonts.h"
#include "ui/Main.h"
#include "ui/RunMainWindow.h"

#include <QFuture>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <utility>

int main(int argc, char** argv) {
    TApplication app(argc, argv);
    registerApplicationFonts();
    Shell::setOpener([](const QString& text, int) {
        std::printf("opened %s\n", qPrintable(Shell::urlFromShellText(text)));
        std::fflush(stdout);
        return true;
    });
    FakePrintSystem fake;
    for (const char* name : {"Office_Laser", "Photo_Inkjet", "PDF"}) {
        FakePrintSystem::Printer entry;
        entry.name = QString::fromLatin1(name);
        fake.printerList.push_back(entry);
    }
    fake.defaultAnswer = DefaultPrinterAnswer::named(QStringLiteral("Office_Laser"));
    const bool about = argc > 1 && QString::fromLatin1(argv[1]) == QLatin1String("about");
    // Started on this thread, beside the fake: the window's start is ready at once.
    QFuture<PrinterStart> start = QtFuture::makeReadyFuture(
        startPrinter([&fake] { return std::make_unique<BorrowedPrintSystem>(fake); }));
    return runMainWindow(std::move(start), {}, [about](TMainForm& form) {
        if (about)
            QTimer::singleShot(200, &form, [&form] { form.AboutClick(); });
    });
}
