#pragma once

#include "app/QtRussian.h"

#include <QApplication>

// The application object. Qt lets no exception cross its event loop, so the error report is called here,
// around the dispatch of every event. Qt's own texts speak Russian, as the windows do.
class TApplication : public QApplication {
public:
    TApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

private:
    QtRussian qtRussian_;
};
