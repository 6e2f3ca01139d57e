#pragma once

#include "platform/PrintSystem.h"
#include "printing/PrinterStart.h"

#include <QFuture>

#include <functional>
#include <memory>

class TMainForm;

// Runs the window's creation handler: the program reports what escapes it and opens the window all the same.
// Empty, the handler is called as it is.
using CreationRunner = std::function<void(const std::function<void()>& create)>;

// The main window over the printer a start on another thread is making: the window, its creation handler
// run by runCreation (which waits for the start), the first show; then `shown`, if given, with the window,
// and the message loop until the application quits, whose code it returns. The application object, its
// fonts and icon come first.
int runMainWindow(QFuture<PrinterStart> start, const CreationRunner& runCreation,
                  const std::function<void(TMainForm&)>& shown = {});
// The same over a printer started on this thread, over this print system.
int runMainWindow(std::unique_ptr<PrintSystem> system, const CreationRunner& runCreation,
                  const std::function<void(TMainForm&)>& shown = {});
