#pragma once

#include "printing/PrinterStart.h"

#include <QFuture>

#include <functional>

class TMainForm;

// Runs the window's creation handler: the program reports what escapes it and opens the window all the same.
// Empty, the handler is called as it is.
using CreationRunner = std::function<void(const std::function<void()>& create)>;

// The main window over the printer a start is making, on a thread of its own or already done on this one: the
// window, its creation handler run by runCreation (which waits for the start), the first show; then `shown`,
// if given, with the window, and the message loop until the application quits, whose code it returns. The
// application object, its fonts and icon come first.
int runMainWindow(QFuture<PrinterStart> start, const CreationRunner& runCreation,
                  const std::function<void(TMainForm&)>& shown = {});
