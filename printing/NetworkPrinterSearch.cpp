#include "printing/NetworkPrinterSearch.h"

#include <QMetaObject>

NetworkPrinterSearch::NetworkPrinterSearch(TPrinter& printer, QObject& receiver,
                                           std::function<void(const QString& name)> found)
    : thread_([this, &printer, target = &receiver, found = std::move(found)] {
          // The receiver outlives the search, which it owns; the call is queued to the receiver's thread.
          printer.findNetworkPrinters(
              [&](const QString& name) {
                  QMetaObject::invokeMethod(target, [found, name] { found(name); }, Qt::QueuedConnection);
              },
              Limit, cancel_);
          finished_ = true;
      }) {}

NetworkPrinterSearch::~NetworkPrinterSearch() {
    cancel_ = 1;
    thread_.join();
}
