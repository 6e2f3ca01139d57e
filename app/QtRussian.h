#pragma once

#include <QTranslator>

// Qt's own texts in Russian, as the rest of the program speaks under every locale: the stock dialogs'
// buttons and labels, the context menus, the command line's help and errors. They come from Qt's catalogue
// (package qt6-translations-l10n); without it they stay English. Installed into the running application
// for as long as this object lives.
class QtRussian {
public:
    QtRussian();
    QtRussian(const QtRussian&) = delete;
    QtRussian& operator=(const QtRussian&) = delete;

private:
    QTranslator catalogue_;
};
