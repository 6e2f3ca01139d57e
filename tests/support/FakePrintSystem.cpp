#include "FakePrintSystem.h"

#include "platform/DeviceCaps.h"
#include "platform/Errors.h"

namespace {

std::string utf8(const QString& s) { return s.toStdString(); }

class FakeHandle : public PrinterHandle {
public:
    FakeHandle(FakePrintSystem& system, QString name) : system_(system), name_(std::move(name)) {
        ++system_.openHandles;
    }
    ~FakeHandle() override {
        --system_.openHandles;
        system_.log.push_back("close " + utf8(name_));
    }
    std::optional<DocumentSettings> documentSettings() override {
        system_.log.push_back("settings " + utf8(name_));
        for (const auto& p : system_.printerList)
            if (p.name == name_)
                return p.settings;
        return std::nullopt;
    }
    QString identity() const override {
        for (const auto& p : system_.printerList)
            if (p.name == name_)
                return p.identity;
        return {};
    }

private:
    FakePrintSystem& system_;
    QString name_;
};

class PageRuns : public RunSink {
public:
    PageRuns(FakePrintSystem& system, DeviceCaps caps) : system_(system), caps_(caps) {}
    int width() const override { return caps_.horzRes; }
    int height() const override { return caps_.vertRes; }
    void run(const PixelRun& r) override { system_.documents.back().runs.push_back(r); }
    void fill(int l, int t, int r, int b, TColor c) override {
        for (int y = t; y < b; ++y)
            system_.documents.back().runs.push_back(PixelRun{l, y, 1, 0, r - l, c});
    }

private:
    FakePrintSystem& system_;
    DeviceCaps caps_;
};

class FakeContext : public DeviceContext {
public:
    FakeContext(FakePrintSystem& system, std::string device, DocumentSettings settings, DeviceCaps caps, bool isDC)
        : system_(system), device_(std::move(device)), settings_(settings), caps_(caps), isDC_(isDC),
          page_(system, caps) {
        ++system_.openContexts;
    }
    ~FakeContext() override {
        --system_.openContexts;
        system_.log.push_back(isDC_ ? "delete DC" : "delete IC");
    }
    DeviceCaps caps() const override { return caps_; }
    void setAbortProc(std::function<bool()> proc) override { abortProc_ = std::move(proc); }
    void startDoc(const QString& title) override {
        system_.log.push_back("startDoc");
        system_.documents.push_back({title, device_, settings_, caps_, 0, 0, false, {}});
    }
    void startPage() override {
        system_.log.push_back("startPage");
        ++system_.documents.back().pagesStarted;
    }
    RunSink& page() override { return page_; }
    void endPage() override {
        system_.log.push_back("endPage");
        ++system_.documents.back().pagesEnded;
    }
    void endDoc() override {
        system_.log.push_back("endDoc");
        for (int i = 0; i < system_.abortProcCalls && abortProc_; ++i)
            abortProc_();
        if (system_.refuseEndDoc)
            throw EOSError(0x0507, *system_.refuseEndDoc);
        system_.documents.back().ended = true;
    }

private:
    FakePrintSystem& system_;
    std::string device_;
    DocumentSettings settings_;
    DeviceCaps caps_;
    bool isDC_;
    PageRuns page_;
    std::function<bool()> abortProc_;
};

} // namespace

DocumentSettings FakePrintSystem::a4(int xDpi, int yDpi) {
    DocumentSettings s;
    s.paperName = "iso_a4_210x297mm";
    s.paperWidth = 21000;
    s.paperLength = 29700;
    s.marginLeft = s.marginRight = 423;
    s.marginTop = s.marginBottom = 423;
    s.xResolution = xDpi;
    s.yResolution = yDpi;
    return s;
}

QStringList FakePrintSystem::printers() {
    log.push_back("printers");
    if (printersError)
        throw EOSError(0x06BA, *printersError);
    QStringList names;
    for (const auto& p : printerList)
        names << p.name;
    return names;
}

DefaultPrinterAnswer FakePrintSystem::defaultPrinter() {
    log.push_back("default");
    return defaultAnswer;
}

std::optional<QString> FakePrintSystem::userDefaultPrinterName() {
    log.push_back("userDefault");
    return userDefault;
}

FakePrintSystem::Printer* FakePrintSystem::find(const QString& name) {
    for (auto& p : printerList)
        if (p.name == name)
            return &p;
    return nullptr;
}

bool FakePrintSystem::passwordGiven(const QString& name) {
    const Printer* p = find(name);
    if (!p || !p->asksPassword || !passwordPrompt)
        return true;
    return passwordPrompt({QStringLiteral("vornel"), QStringLiteral("fake")}).has_value();
}

// The name is read again after the password question, as a print server's client does.
std::unique_ptr<PrinterHandle> FakePrintSystem::openPrinter(const QString& name) {
    const bool given = passwordGiven(name);
    log.push_back("open " + utf8(name));
    if (!given)
        return nullptr;
    const Printer* p = find(name);
    if (!p || !p->opens)
        return nullptr;
    return std::make_unique<FakeHandle>(*this, name);
}

std::unique_ptr<DeviceContext> FakePrintSystem::createContext(const QString& device,
                                                              const DocumentSettings& settings, bool isDC) {
    const bool given = passwordGiven(device);
    log.push_back((isDC ? "createPrintContext " : "createQueryContext ") + utf8(device));
    const Printer* p = find(device);
    if (!given || !p || (isDC ? p->dcFails : p->icFails))
        return nullptr;
    const DeviceCaps caps = p->caps ? *p->caps : deviceCapsFor(settings);
    return std::make_unique<FakeContext>(*this, utf8(device), settings, caps, isDC);
}

std::unique_ptr<DeviceContext> FakePrintSystem::createQueryContext(const QString& device, const DocumentSettings& settings) {
    return createContext(device, settings, false);
}

std::unique_ptr<DeviceContext> FakePrintSystem::createPrintContext(const QString& device, const DocumentSettings& settings) {
    return createContext(device, settings, true);
}

std::vector<std::string> FakePrintSystem::logSince(std::size_t index) const {
    if (index >= log.size())
        return {};
    return {log.begin() + static_cast<std::ptrdiff_t>(index), log.end()};
}
