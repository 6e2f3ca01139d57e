#include "ChaosPrintSystem.h"

#include "platform/Errors.h"

#include <string>

namespace {

// Each run of a page is a chance to break off; the whole page should break off about as often as one call.
constexpr double RunShare = 0.01;

class ChaosHandle : public PrinterHandle {
public:
    ChaosHandle(ChaosPrintSystem& chaos, std::unique_ptr<PrinterHandle> inner)
        : chaos_(chaos), inner_(std::move(inner)) {}
    std::optional<DocumentSettings> documentSettings() override {
        if (chaos_.strike())
            return std::nullopt;
        return inner_->documentSettings();
    }

private:
    ChaosPrintSystem& chaos_;
    std::unique_ptr<PrinterHandle> inner_;
};

class ChaosPage : public RunSink {
public:
    explicit ChaosPage(ChaosPrintSystem& chaos) : chaos_(chaos) {}
    void attach(RunSink* inner) { inner_ = inner; }
    int width() const override { return inner_->width(); }
    int height() const override { return inner_->height(); }
    void run(const PixelRun& r) override {
        if (chaos_.strike(RunShare))
            chaos_.refuse("drawing");
        inner_->run(r);
    }
    void fill(int l, int t, int r, int b, TColor c) override {
        if (chaos_.strike(RunShare))
            chaos_.refuse("filling");
        inner_->fill(l, t, r, b, c);
    }

private:
    ChaosPrintSystem& chaos_;
    RunSink* inner_ = nullptr;
};

class ChaosContext : public DeviceContext {
public:
    ChaosContext(ChaosPrintSystem& chaos, std::unique_ptr<DeviceContext> inner)
        : chaos_(chaos), inner_(std::move(inner)), page_(chaos) {
        page_.attach(&inner_->page());
        // Decided once per context: a printer reports the same sizes for as long as it is asked.
        if (chaos_.strike())
            zeroSize_ = chaos_.coin() ? 1 : 2;
    }
    DeviceCaps caps() const override {
        DeviceCaps caps = inner_->caps();
        if (zeroSize_ >= 1)
            caps.horzSize = caps.vertSize = 0;
        if (zeroSize_ == 2)
            caps.horzRes = caps.vertRes = 0;
        return caps;
    }
    void setAbortProc(std::function<bool()> proc) override { inner_->setAbortProc(std::move(proc)); }
    void startDoc(const QString& title) override {
        chaos_.countDocument();
        step("startDoc");
        inner_->startDoc(title);
    }
    void startPage() override {
        step("startPage");
        inner_->startPage();
    }
    RunSink& page() override { return page_; }
    void endPage() override {
        step("endPage");
        inner_->endPage();
    }
    void endDoc() override {
        step("endDoc");
        inner_->endDoc();
        // Refused after the hand-over, as a server that drops the connection at the end.
        if (chaos_.strike())
            chaos_.refuse("the end of the document");
    }

private:
    void step(const char* name) {
        if (chaos_.strike())
            chaos_.refuse(name);
    }

    ChaosPrintSystem& chaos_;
    std::unique_ptr<DeviceContext> inner_;
    ChaosPage page_;
    int zeroSize_ = 0;
};

} // namespace

bool ChaosPrintSystem::strike(double share) {
    const double rate = rate_ * share;
    if (rate <= 0 || !std::bernoulli_distribution(rate)(random_))
        return false;
    ++strikes_;
    return true;
}

void ChaosPrintSystem::refuse(const char* step) {
    throw EOSError(1282, std::string("The print system refused ") + step + ".");
}

QStringList ChaosPrintSystem::printers() {
    if (strike())
        return {};
    return inner_.printers();
}

DefaultPrinterAnswer ChaosPrintSystem::defaultPrinter() {
    if (strike())
        return coin() ? DefaultPrinterAnswer::none()
                      : DefaultPrinterAnswer::failure(1282, QStringLiteral("The print system is away."));
    return inner_.defaultPrinter();
}

std::optional<QString> ChaosPrintSystem::userDefaultPrinterName() {
    if (strike())
        return std::nullopt;
    return inner_.userDefaultPrinterName();
}

std::unique_ptr<PrinterHandle> ChaosPrintSystem::openPrinter(const QString& name) {
    if (strike())
        return nullptr;
    std::unique_ptr<PrinterHandle> handle = inner_.openPrinter(name);
    if (!handle)
        return nullptr;
    return std::make_unique<ChaosHandle>(*this, std::move(handle));
}

std::unique_ptr<DeviceContext> ChaosPrintSystem::wrap(std::unique_ptr<DeviceContext> context) {
    if (!context)
        return nullptr;
    return std::make_unique<ChaosContext>(*this, std::move(context));
}

std::unique_ptr<DeviceContext> ChaosPrintSystem::createQueryContext(const QString& device,
                                                          const DocumentSettings& settings) {
    if (strike())
        return nullptr;
    return wrap(inner_.createQueryContext(device, settings));
}

std::unique_ptr<DeviceContext> ChaosPrintSystem::createPrintContext(const QString& device,
                                                          const DocumentSettings& settings) {
    if (strike())
        return nullptr;
    return wrap(inner_.createPrintContext(device, settings));
}
