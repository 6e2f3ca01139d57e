#include "ui/RunMainWindow.h"

#include "ui/Main.h"

#include <QApplication>

#include <utility>

int runMainWindow(QFuture<PrinterStart> start, const CreationRunner& runCreation,
                  const std::function<void(TMainForm&)>& shown) {
    TMainForm form(std::move(start));
    if (runCreation)
        runCreation([&] { form.FormCreate(); });
    else
        form.FormCreate();
    form.showFirst();
    if (shown)
        shown(form);
    return QApplication::exec();
}
