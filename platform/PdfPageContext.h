#pragma once

#include "platform/PageRecorder.h"
#include "platform/PrintSystem.h"

#include <QByteArray>

// A device context whose one page is collected as rectangles of device pixels and, at the end of the
// document, made into one PDF page at the device's resolution, which a print system then takes.
class PdfPageContext : public DeviceContext {
public:
    explicit PdfPageContext(const DocumentSettings& settings);

    DeviceCaps caps() const override { return caps_; }
    void setAbortProc(std::function<bool()> proc) override { abortProc_ = std::move(proc); }
    void startDoc(const QString& title) override;
    void startPage() override;
    RunSink& page() override { return page_; }
    void endPage() override {}
    void endDoc() override;

protected:
    // Hands the document over; abortProc is to be called while that takes time.
    virtual void submit(const QByteArray& title, const QByteArray& pdf,
                        const std::function<bool()>& abortProc) = 0;

private:
    DocumentSettings settings_;
    DeviceCaps caps_;
    PageRecorder page_;
    QByteArray title_;
    std::function<bool()> abortProc_;
};
