#include "printing/PrinterStart.h"

#include "platform/FailedPrintSystem.h"

#include <QPromise>

#include <utility>

PrinterStart startPrinter(const PrintSystemMaker& make) {
    std::unique_ptr<PrintSystem> system;
    try {
        system = make();
    } catch (...) {
        system = std::make_unique<FailedPrintSystem>(std::current_exception(), ListFailure::Empty);
    }
    PrinterStart start{std::make_unique<TPrinter>(std::move(system)), nullptr};
    // The window's own questions, in its order; an error ends them there, as it ends the window's start.
    try {
        start.printer->Printers();
        start.printer->PrinterIndex();
    } catch (...) {
        start.error = std::current_exception();
    }
    return start;
}

PrinterStartThread::PrinterStartThread(PrintSystemMaker make) {
    QPromise<PrinterStart> promise;
    future_ = promise.future();
    promise.start();
    thread_ = std::jthread([promise = std::move(promise), make = std::move(make)]() mutable {
        promise.addResult(startPrinter(make));
        promise.finish();
    });
}
