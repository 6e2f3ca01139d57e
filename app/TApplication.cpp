#include "app/TApplication.h"

#include "app/ApplicationStyle.h"
#include "app/ErrorReport.h"

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
    // The application title is the error boxes' caption only; a display name would be appended to every
    // window title.
    setApplicationName(QStringLiteral("vornel"));
    // The menu stays in the window on every desktop: the window's size is designed with it. Asking the
    // session bus for a global menu cost every start-up a round trip, or a failed bus launch without one.
    setAttribute(Qt::AA_DontUseNativeMenuBar);
    // Owned by the application.
    setStyle(new ApplicationStyle);
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ErrorReport::show(std::current_exception());
        return false;
    }
}
