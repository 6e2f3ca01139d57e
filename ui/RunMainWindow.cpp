#include "ui/RunMainWindow.h"

#include "printing/TPrinter.h"
#include "ui/Main.h"

#include <QApplication>

#include <utility>

int runMainWindow(std::unique_ptr<PrintSystem> system, const CreationRunner& runCreation,
                  const std::function<void(TMainForm&)>& shown) {
    TPrinter printer(std::move(system));
    TMainForm form(printer);
    if (runCreation)
        runCreation([&] { form.FormCreate(); });
    else
        form.FormCreate();
    form.showFirst();
    if (shown)
        shown(form);
    return QApplication::exec();
}
