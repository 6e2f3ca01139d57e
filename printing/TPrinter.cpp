#include "printing/TPrinter.h"

#include "platform/Errors.h"

TPrinter::TPrinter(std::unique_ptr<PrintSystem> system) : system_(std::move(system)) {}

TPrinter::~TPrinter() {
    // The context goes before the printer it was made for; the surface lets go of its page first.
    if (canvas_)
        canvas_->detach();
    context_.reset();
    handle_.reset();
    devMode_.reset();
}

const std::vector<TPrinterEntry>& TPrinter::Printers() {
    if (!printers_)
        buildPrinterList();
    return *printers_;
}

void TPrinter::buildPrinterList() {
    // Built once; a list that comes out empty stays empty for the run.
    printers_.emplace();
    for (const QString& name : system_->printers())
        printers_->push_back({name, {QString(), name, QString()}});
}

int TPrinter::PrinterIndex() {
    if (printerIndex_ == -1)
        selectDefaultPrinter();
    return printerIndex_;
}

void TPrinter::setPrinterIndex(int value) {
    if (printing_)
        throw EPrinter(PrinterMessages::PrintingInProgress);
    if (value < -1 || value >= static_cast<int>(Printers().size()))
        throw EPrinter(PrinterMessages::IndexOutOfRange);
    // A row chosen while none is current is taken as it is: asking for the default first would fail on
    // every system without one, and no printer could ever be chosen there.
    if (value == -1)
        selectDefaultPrinter();
    // The current printer again keeps its settings; but when reading them failed (a server silent for a
    // moment), choosing it again is how the user asks to try once more.
    if (value == printerIndex_ && devMode_)
        return;
    if (value != -1)
        printerIndex_ = value;
    makeCurrent(printerIndex_);
}

void TPrinter::selectDefaultPrinter() {
    const DefaultPrinterAnswer answer = system_->defaultPrinter();
    QString name;
    switch (answer.kind) {
    case DefaultPrinterAnswer::Kind::Failure:
        throw EOSError(answer.code, answer.systemText.toStdString());
    case DefaultPrinterAnswer::Kind::Name:
        name = answer.name;
        break;
    case DefaultPrinterAnswer::Kind::NoDefault:
        name = system_->userDefaultPrinterName().value_or(QString());
        break;
    }
    // The name is compared whole: a queue name may itself hold a comma.
    const std::vector<TPrinterEntry>& entries = Printers();
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (!name.isEmpty() && entries[i].Device.Device.compare(name, Qt::CaseInsensitive) == 0)
            return makeCurrent(static_cast<int>(i));
    throw EPrinter(PrinterMessages::NoDefaultPrinter);
}

void TPrinter::requireSettings() {
    PrinterIndex();
    // Settings that could not be read when the printer was chosen are asked for again before giving up.
    if (!devMode_)
        makeCurrent(printerIndex_);
    if (!devMode_)
        throw EPrinter(PrinterMessages::NotSupported);
}

void TPrinter::releaseCurrent() {
    devMode_.reset();
    handle_.reset();
    setState(psNoHandle);
}

void TPrinter::makeCurrent(int index) {
    releaseCurrent();
    printerIndex_ = index;
    handle_ = system_->openPrinter((*printers_)[static_cast<std::size_t>(index)].Device.Device);
    if (handle_)
        devMode_ = handle_->documentSettings();
}
