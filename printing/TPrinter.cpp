#include "printing/TPrinter.h"

#include "platform/DeviceCaps.h"
#include "platform/Errors.h"
#include "printing/LineWidth.h"

#include <QCoreApplication>
#include <QScopeGuard>

#include <utility>

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
        printers_->push_back({name, name});
}

int TPrinter::addNetworkPrinter(const QString& name) {
    if (indexOfPrinter(name) >= 0)
        return -1;
    std::vector<TPrinterEntry>& entries = *printers_;
    auto at = entries.begin();
    while (at != entries.end() &&
           (!at->Network || QString::localeAwareCompare(at->Text.toCaseFolded(), name.toCaseFolded()) <= 0))
        ++at;
    const int row = static_cast<int>(at - entries.begin());
    entries.insert(at, {name, name, true});
    if (printerIndex_ >= row)
        ++printerIndex_;
    return row;
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

int TPrinter::indexOfPrinter(const QString& name) {
    // The name is compared whole: a queue name may itself hold a comma.
    const std::vector<TPrinterEntry>& entries = Printers();
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i].Name.compare(name, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    return -1;
}

std::optional<QString> TPrinter::defaultPrinterName() {
    const DefaultPrinterAnswer answer = system_->defaultPrinter();
    switch (answer.kind) {
    case DefaultPrinterAnswer::Kind::Failure:
        throw EOSError(answer.code, answer.systemText.toStdString());
    case DefaultPrinterAnswer::Kind::Name:
        return answer.name;
    case DefaultPrinterAnswer::Kind::NoDefault:
        break;
    }
    return system_->userDefaultPrinterName();
}

void TPrinter::selectDefaultPrinter() {
    const QString name = defaultPrinterName().value_or(QString());
    // The list is read even without a name: a list that can't be read says so before "no default" would.
    const int index = indexOfPrinter(name);
    if (name.isEmpty() || index < 0)
        throw EPrinter(PrinterMessages::NoDefaultPrinter);
    makeCurrent(index);
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
    // A copy: opening may ask for a password, and the dialog's event loop may deliver what changes the list.
    const QString name = (*printers_)[static_cast<std::size_t>(index)].Name;
    handle_ = system_->openPrinter(name);
    if (handle_)
        devMode_ = handle_->documentSettings();
}

TPrinterOrientation TPrinter::Orientation() {
    PrinterIndex();
    if (!devMode_)
        throw EPrinter(PrinterMessages::NotSupported);
    return devMode_->orientation == PageOrientation::Landscape ? poLandscape : poPortrait;
}

void TPrinter::setOrientation(TPrinterOrientation value) {
    if (printing_)
        throw EPrinter(PrinterMessages::PrintingInProgress);
    requireSettings();
    // The next context is made from the changed settings, so the current one has to go first.
    setState(psNoHandle);
    devMode_->orientation = value == poLandscape ? PageOrientation::Landscape : PageOrientation::Portrait;
}

DeviceContext& TPrinter::Handle() {
    setState(psHandleIC);
    return *context_;
}

void TPrinter::setState(TPrinterState value) {
    if (value == state_)
        return;
    bool deviceContext = false;
    switch (value) {
    case psNoHandle:
        if (printing_)
            throw EPrinter(PrinterMessages::PrintingInProgress);
        if (canvas_)
            canvas_->detach();
        context_.reset();
        state_ = psNoHandle;
        return;
    case psHandleIC:
        // A device context answers queries as well.
        if (state_ == psHandleDC)
            return;
        break;
    case psHandleDC:
        if (canvas_)
            canvas_->detach();
        context_.reset();
        // Until the new context exists there is none: a failed creation must not leave a state that
        // promises a context.
        state_ = psNoHandle;
        deviceContext = true;
        break;
    }

    const int index = PrinterIndex();
    if (!devMode_)
        throw EPrinter(PrinterMessages::InvalidPrinter);
    // A printer claiming a resolution past any real one would have its page grow without end.
    if (!pageWithinLimits(*devMode_))
        throw EPrinter(PrinterMessages::NotSupported);
    // A copy, for the same reason as the name a printer is opened by.
    const QString device = Printers()[static_cast<std::size_t>(index)].Name;
    std::unique_ptr<DeviceContext> created =
        deviceContext ? system_->createPrintContext(device, *devMode_) : system_->createQueryContext(device, *devMode_);
    if (!created)
        throw EPrinter(PrinterMessages::InvalidPrinter);
    context_ = std::move(created);
    state_ = value;
    attachCanvas();
}

void TPrinter::attachCanvas() {
    if (!canvas_ || !context_ || !devMode_)
        return;
    // Dashes and dots as long on paper as on a 96-dpi screen, along either axis of the page; lines at
    // least 1/600 inch wide, which a finer hairline would not be.
    const int across = horizontalDpi(*devMode_);
    const int down = verticalDpi(*devMode_);
    canvas_->attach(&context_->page(), LinePatterns::forResolution(across), LinePatterns::forResolution(down),
                    linePixels(across), linePixels(down));
}

TPrinterCanvas& TPrinter::Canvas() {
    if (!canvas_) {
        canvas_ = std::make_unique<TPrinterCanvas>([this] { return printing_; });
        attachCanvas();
    }
    return *canvas_;
}

void TPrinter::BeginDoc() {
    if (printing_)
        throw EPrinter(PrinterMessages::PrintingInProgress);
    setState(psHandleDC);
    Canvas();
    printing_ = true;
    abandoning_ = false;
    auto abandon = qScopeGuard([this] { AbortDoc(); });
    context_->setAbortProc([this] { return abortProc(); });
    context_->startDoc(title_);
    context_->startPage();
    abandon.dismiss();
}

void TPrinter::EndDoc() {
    if (!printing_)
        throw EPrinter(PrinterMessages::NotPrinting);
    // A job the print system refuses must not keep the document open: every later command would stop
    // at "Printing in progress".
    auto abandon = qScopeGuard([this] { AbortDoc(); });
    context_->endPage();
    context_->endDoc();
    abandon.dismiss();
    printing_ = false;
}

void TPrinter::AbortDoc() {
    if (!printing_)
        return;
    printing_ = false;
    setState(psNoHandle);
}

void TPrinter::setPendingEventsHandler(std::function<void()> handler) {
    pendingEvents_ = std::move(handler);
}

bool TPrinter::abortProc() {
    if (pendingEvents_)
        pendingEvents_();
    else
        QCoreApplication::processEvents();
    return !abandoning_;
}
