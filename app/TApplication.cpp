#include "TApplication.h"

#include "ErrorReport.h"

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
    // The application title is the error boxes' caption only; a display name would be appended to every
    // window title.
    setApplicationName(QStringLiteral("vornel"));
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ErrorReport::show(std::current_exception());
        return false;
    }
}
