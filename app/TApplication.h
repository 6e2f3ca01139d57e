#pragma once

#include "app/UserLanguage.h"

#include <QApplication>

// The application object. Qt lets no exception cross its event loop, so the error report is called here,
// around the dispatch of every event. The program's texts and Qt's own
// speak the user's language.
class TApplication : public QApplication {
public:
    TApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

private:
    UserLanguage::Installed language_;
};
