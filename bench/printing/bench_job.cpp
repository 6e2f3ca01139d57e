// The print command's job, from the landscape settings to the PDF bytes handed to the print system, for
// each template at printer resolutions: time, size of the job and the heap it takes at its peak.
#include "PeakHeap.h"
#include "platform/PdfPageContext.h"
#include "printing/PrintCommand.h"
#include "printing/TPrinter.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

namespace {

// A print system of one A4 printer whose jobs end as PDF bytes in memory.
class PdfOnlySystem : public PrintSystem {
public:
    explicit PdfOnlySystem(int dpi) : dpi_(dpi) {}

    QByteArray lastJob;

    QStringList printers() override { return {QStringLiteral("Bench")}; }
    DefaultPrinterAnswer defaultPrinter() override {
        return DefaultPrinterAnswer::named(QStringLiteral("Bench"));
    }
    std::optional<QString> userDefaultPrinterName() override { return std::nullopt; }
    std::unique_ptr<PrinterHandle> openPrinter(const QString&) override {
        return std::make_unique<Handle>(dpi_);
    }
    std::unique_ptr<DeviceContext> createQueryContext(const QString&, const DocumentSettings& s) override {
        return std::make_unique<Context>(*this, s);
    }
    std::unique_ptr<DeviceContext> createPrintContext(const QString&, const DocumentSettings& s) override {
        return std::make_unique<Context>(*this, s);
    }

private:
    class Handle : public PrinterHandle {
    public:
        explicit Handle(int dpi) : dpi_(dpi) {}
        std::optional<DocumentSettings> documentSettings() override {
            DocumentSettings s;
            s.paperName = QStringLiteral("iso_a4_210x297mm");
            s.paperWidth = 21000;
            s.paperLength = 29700;
            s.marginLeft = s.marginRight = 635;
            s.marginTop = s.marginBottom = 1270;
            s.xResolution = s.yResolution = dpi_;
            return s;
        }

    private:
        int dpi_;
    };

    class Context : public PdfPageContext {
    public:
        Context(PdfOnlySystem& system, const DocumentSettings& s) : PdfPageContext(s), system_(system) {}

    protected:
        void submit(const QByteArray&, const QByteArray& pdf, const std::function<bool()>&) override {
            system_.lastJob = pdf;
        }

    private:
        PdfOnlySystem& system_;
    };

    int dpi_;
};

void BM_PrintJob(benchmark::State& state) {
    const int templateIndex = static_cast<int>(state.range(0));
    const int dpi = static_cast<int>(state.range(1));
    auto owned = std::make_unique<PdfOnlySystem>(dpi);
    PdfOnlySystem& system = *owned;
    TPrinter printer(std::move(owned));
    printer.setPendingEventsHandler([] {});
    std::size_t peakHeap = 0;
    long peakResident = 0;
    for (auto _ : state) {
        const std::size_t heapBefore = PeakHeap::current();
        PeakHeap::reset();
        PeakHeap::resetResident();
        const long residentBefore = PeakHeap::residentKiB();
        printEnvelope(printer, [templateIndex] { return templateIndex; });
        peakHeap = std::max(peakHeap, PeakHeap::peak() - heapBefore);
        peakResident = std::max(peakResident, PeakHeap::residentPeakKiB() - residentBefore);
        benchmark::DoNotOptimize(system.lastJob.constData());
    }
    state.counters["bytes"] = static_cast<double>(system.lastJob.size());
    // Allocated at the peak, touched or not (Qt's PDF writer takes two 16 MiB buffers to compress a page),
    // and what of it became resident.
    state.counters["peak_heap_KiB"] = static_cast<double>(peakHeap) / 1024.0;
    state.counters["peak_rss_KiB"] = static_cast<double>(peakResident);
}
BENCHMARK(BM_PrintJob)
    ->ArgsProduct({{0, 1, 2}, {300, 600, 1200, 2400}})
    ->ArgNames({"template", "dpi"})
    ->Unit(benchmark::kMillisecond);

} // namespace
