#pragma once

#include "platform/PrintSystem.h"
#include "printing/TPrinter.h"

#include <QFuture>

#include <exception>
#include <functional>
#include <memory>
#include <thread>

// What the printer's start came to: the printer with its list read and its current printer chosen, and what
// the start threw, which the window says where it reads the current printer.
struct PrinterStart {
    std::unique_ptr<TPrinter> printer;
    std::exception_ptr error;
};

using PrintSystemMaker = std::function<std::unique_ptr<PrintSystem>()>;

// The print system made and the printer's start-up questions asked, on the calling thread. A system that
// can't be made answers every question with what its making threw.
PrinterStart startPrinter(const PrintSystemMaker& make);

// The same start on a thread of its own, which shares nothing: the value is handed over through the future.
// Destroying this waits for the thread.
class PrinterStartThread {
public:
    explicit PrinterStartThread(PrintSystemMaker make);

    QFuture<PrinterStart> future() const { return future_; }

private:
    QFuture<PrinterStart> future_;
    std::jthread thread_;
};
