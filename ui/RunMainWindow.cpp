#include "ui/RunMainWindow.h"

#include "printing/TPrinter.h"
#include "ui/Main.h"

#include <QApplication>

#include <utility>

namespace {

int run(TMainForm& form, const CreationRunner& runCreation, const std::function<void(TMainForm&)>& shown) {
    if (runCreation)
        runCreation([&] { form.FormCreate(); });
    else
        form.FormCreate();
    form.showFirst();
    if (shown)
        shown(form);
    return QApplication::exec();
}

} // namespace

int runMainWindow(QFuture<PrinterStart> start, const CreationRunner& runCreation,
                  const std::function<void(TMainForm&)>& shown) {
    TMainForm form(std::move(start));
    return run(form, runCreation, shown);
}

int runMainWindow(std::unique_ptr<PrintSystem> system, const CreationRunner& runCreation,
                  const std::function<void(TMainForm&)>& shown) {
    TPrinter printer(std::move(system));
    TMainForm form(printer);
    return run(form, runCreation, shown);
}
