#pragma once

#include "CupsOwners.h"
#include "PrintSystem.h"

// An open CUPS queue: its destination, and its capabilities once the settings have been asked for.
class CupsPrinterHandle : public PrinterHandle {
public:
    explicit CupsPrinterHandle(CupsDest dest);

    // The paper the queue defaults to (the user's own choice for it first), with its printable margins,
    // and the queue's default resolution; nothing when the server can't say.
    std::optional<DocumentSettings> documentSettings() override;

private:
    CupsDest dest_;
    CupsDestInfo info_;
};
