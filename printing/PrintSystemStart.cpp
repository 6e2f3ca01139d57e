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
    if (thread_.joinable())
        thread_.join();
}

std::unique_ptr<PrintSystem> PrintSystemStart::take() {
    UiThread::waitServing([this] { return ready_.load(); });
    thread_.join();
    return std::move(system_);
}
