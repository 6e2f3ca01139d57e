#pragma once

#include "platform/PrintSystem.h"
#include "platform/cups/CupsOwners.h"
#include "platform/cups/CupsSession.h"

#include <memory>

// An open CUPS queue: its destination.
class CupsPrinterHandle : public PrinterHandle {
public:
    CupsPrinterHandle(std::shared_ptr<CupsSession> session, CupsDest dest);

    // The paper and resolution in effect for the queue (the user's lpoptions over the server's defaults),
    // with the paper's printable margins; nothing when the queue can't say. A default paper the printer
    // does not list gives way to one it does, as it does for lp. A server that can't be reached or keeps
    // silent throws the error that says so.
    std::optional<DocumentSettings> documentSettings() override;
    // From the destination's options as the server gave them with it: no question of its own.
    QString identity() const override;

private:
    std::shared_ptr<CupsSession> session_;
    CupsDest dest_;
};
