#include "printing/NetworkPrinterSearch.h"

#include <QMetaObject>

#include <algorithm>
#include <condition_variable>
#include <mutex>

namespace {

// A round of the search ends once the network has answered for now; the next one finds printers that came
// later (switched on, woken up).
constexpr std::chrono::milliseconds Pause{2000};

// Orders a queued call's making on the search's thread before its running on the receiver's, where a race
// checker sees it: Qt's event queue orders them too, out of its sight. Held while the call is made, and taken
// by the call before it reads what it carries.
std::mutex handing;

} // namespace

NetworkPrinterSearch::NetworkPrinterSearch(NetworkSearch search, QObject& receiver,
                                           std::function<void(const QString& name)> found)
    : thread_([search = std::move(search), target = &receiver, found = std::move(found)](std::stop_token stop) {
          if (!search)
              return;
          // Queued call: the name goes by value, and `found` runs on the receiver's thread.
          const auto hand = [&](const QString& name) {
              const std::lock_guard made(handing);
              QMetaObject::invokeMethod(
                  target,
                  [found, name] {
                      { const std::lock_guard running(handing); }
                      found(name);
                  },
                  Qt::QueuedConnection);
          };
          using Clock = std::chrono::steady_clock;
          const Clock::time_point end = Clock::now() + Limit;
          // Only this thread waits here; the stop token wakes it.
          std::mutex pausing;
          std::condition_variable_any paused;
          while (!stop.stop_requested() && Clock::now() < end) {
              search(hand, std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()), stop);
              std::unique_lock lock(pausing);
              paused.wait_until(lock, stop, std::min(Clock::now() + Pause, end), [] { return false; });
          }
      }) {}
