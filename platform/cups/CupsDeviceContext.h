#pragma once

#include "CupsOwners.h"
#include "PageRecorder.h"
#include "PrintSystem.h"

#include <QByteArray>

// A context on a CUPS queue. The page is collected as rectangles of device pixels and at the end of the
// document sent to the queue as one PDF page at the device's resolution.
class CupsDeviceContext : public DeviceContext {
public:
    CupsDeviceContext(CupsDest dest, const DocumentSettings& settings);

    DeviceCaps caps() const override { return caps_; }
    void setAbortProc(std::function<bool()> proc) override { abortProc_ = std::move(proc); }
    void startDoc(const QString& title) override;
    void startPage() override;
    RunSink& page() override { return page_; }
    void endPage() override {}
    void endDoc() override;

private:
    CupsDest dest_;
    DocumentSettings settings_;
    DeviceCaps caps_;
    PageRecorder page_;
    QByteArray title_;
    std::function<bool()> abortProc_;
};
