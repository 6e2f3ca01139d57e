#include "printing/NetworkPrinterSearch.h"

#include <QMetaObject>

#include <thread>

namespace {

// A round of the search ends once the network has answered for now; the next one finds printers that came
// later (switched on, woken up).
constexpr std::chrono::milliseconds Pause{2000};
constexpr std::chrono::milliseconds Step{50};

} // namespace

NetworkPrinterSearch::NetworkPrinterSearch(TPrinter& printer, QObject& receiver,
                                           std::function<void(const QString& name)> found)
    : thread_([this, &printer, target = &receiver, found = std::move(found)] {
          // The receiver outlives the search, which it owns; the call is queued to the receiver's thread.
          const auto hand = [&](const QString& name) {
              QMetaObject::invokeMethod(target, [found, name] { found(name); }, Qt::QueuedConnection);
          };
          const auto start = std::chrono::steady_clock::now();
          const auto left = [&] {
              return Limit - std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
          };
          while (!cancel_ && left().count() > 0) {
              printer.findNetworkPrinters(hand, left(), cancel_);
              for (auto paused = std::chrono::milliseconds(0); paused < Pause && !cancel_ && left().count() > 0;
                   paused += Step)
                  std::this_thread::sleep_for(Step);
          }
      }) {}

NetworkPrinterSearch::~NetworkPrinterSearch() {
    cancel_ = 1;
    thread_.join();
}
