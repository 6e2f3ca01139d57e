#include "platform/PdfPageContext.h"

#include "platform/DeviceCaps.h"
#include "platform/PagePdf.h"

#include <utility>

PdfPageContext::PdfPageContext(const DocumentSettings& settings)
    : settings_(settings), caps_(deviceCapsFor(settings)), page_(caps_.horzRes, caps_.vertRes) {}

void PdfPageContext::startDoc(const QString& title) {
    title_ = title.toUtf8();
    page_.clear();
}

void PdfPageContext::startPage() {
    page_.clear();
}

void PdfPageContext::endDoc() {
    const QByteArray pdf = pagePdf(pageGeometryFor(settings_), page_.marks());
    page_.clear();
    submit(title_, pdf, abortProc_);
}
