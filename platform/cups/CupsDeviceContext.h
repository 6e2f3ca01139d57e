#pragma once

#include "CupsOwners.h"
#include "PdfPageContext.h"

// A context on a CUPS queue: the page goes to the queue as a PDF job of its own.
class CupsDeviceContext : public PdfPageContext {
public:
    CupsDeviceContext(CupsDest dest, const DocumentSettings& settings);

protected:
    void submit(const QByteArray& title, const QByteArray& pdf,
                const std::function<bool()>& abortProc) override;

private:
    CupsDest dest_;
};
