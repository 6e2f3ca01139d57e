#include "printing/PrintSystemStart.h"

#include "platform/FailedPrintSystem.h"
#include "platform/UiThread.h"
#include "printing/PreparedPrintSystem.h"

PrintSystemStart::PrintSystemStart(Maker make)
    : thread_([this, make = std::move(make)] {
          try {
              system_ = std::make_unique<PreparedPrintSystem>(make());
          } catch (...) {
              system_ = std::make_unique<FailedPrintSystem>(std::current_exception(), ListFailure::Empty);
          }
          ready_ = true;
          UiThread::wake();
      }) {}

PrintSystemStart::~PrintSystemStart() {
    // Never asked: the thread may still be waiting for the user.
    if (thread_.joinable())
        system();
}

PrintSystem& PrintSystemStart::system() {
    if (thread_.joinable()) {
        // Only the user-interface thread can answer what the starting thread asks; its first question
        // comes from there, before the window shows and the search for network printers begins.
        if (UiThread::isCurrent())
            UiThread::waitServing([this] { return ready_.load(); });
        thread_.join();
    }
    return *system_;
}
