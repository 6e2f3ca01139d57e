// Shows the main window over a fake print system with a few printers and saves what the screen shows, for the
// README and for looking at the window under a real X server: screenshot_main OUT.png
// [file|help|button|about]. The language is the one the environment chooses, as for the program: LANGUAGE=en
// for the English pictures.
#include "BorrowedPrintSystem.h"
#include "FakePrintSystem.h"
#include "app/TApplication.h"
#include "printing/PrinterStart.h"
#include "ui/DlgAbout.h"
#include "ui/Fonts.h"
#include "ui/Main.h"
#include "ui/PrintButton.h"
#include "ui/RunMainWindow.h"

#include <QFuture>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <utility>

int main(int argc, char** argv) {
    TApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: screenshot_main OUT.png [file|help|button|about]\n");
        return 2;
    }
    registerApplicationFonts();
    FakePrintSystem fake;
    for (const char* name : {"Office_Laser", "Photo_Inkjet", "PDF", "Label_Printer"}) {
        FakePrintSystem::Printer entry;
        entry.name = QString::fromLatin1(name);
        fake.printerList.push_back(entry);
    }
    fake.defaultAnswer = DefaultPrinterAnswer::named(QStringLiteral("Office_Laser"));
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QString menu = argc > 2 ? QString::fromLatin1(argv[2]) : QString();
    // Started on this thread, beside the fake: the window's start is ready at once.
    QFuture<PrinterStart> start = QtFuture::makeReadyFuture(
        startPrinter([&fake] { return std::make_unique<BorrowedPrintSystem>(fake); }));
    return runMainWindow(std::move(start), {}, [&out, &menu](TMainForm& form) {
        QTimer::singleShot(600, [&form, &menu] {
            if (menu == QLatin1String("file"))
                form.menuBar()->setActiveAction(form.MenuFile->menuAction());
            else if (menu == QLatin1String("help"))
                form.menuBar()->setActiveAction(form.MenuHelp->menuAction());
            else if (menu == QLatin1String("button"))
                form.BtnPrint->setFocus(Qt::TabFocusReason);
            else if (menu == QLatin1String("about"))
                form.AboutClick();
        });
        QTimer::singleShot(1500, [&form, &out, &menu] {
            QRect area = FormAbout ? FormAbout->frameGeometry() : form.frameGeometry();
            if (menu == QLatin1String("file") || menu == QLatin1String("help"))
                area = area.united(QRect(form.mapToGlobal(QPoint(0, 0)), QSize(420, 260)));
            const QPixmap shot =
                form.screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
            QCoreApplication::exit(shot.save(out) ? 0 : 1);
        });
    });
}
