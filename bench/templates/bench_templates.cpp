// Painting a template on the preview bitmap, beside clearing that bitmap.
#include "ImageSink.h"
#include "platform/RasterSurface.h"
#include "templates/TemplateDispatch.h"

#include <benchmark/benchmark.h>

#include <QImage>

namespace {

void BM_ClearPreviewBitmap(benchmark::State& state) {
    QImage image(551, 393, QImage::Format_RGB32);
    ImageSink sink(image);
    RasterSurface surface(&sink);
    for (auto _ : state) {
        surface.setBrushColor(clWhite);
        surface.fillRect(0, 0, 551, 393);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["pixels"] = 551 * 393;
}
BENCHMARK(BM_ClearPreviewBitmap);

void BM_PaintTemplate(benchmark::State& state) {
    QImage image(551, 393, QImage::Format_RGB32);
    image.fill(Qt::white);
    ImageSink sink(image);
    RasterSurface surface(&sink);
    const int index = static_cast<int>(state.range(0));
    for (auto _ : state) {
        paintTemplate(index, surface, 2.0, 2.0);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_PaintTemplate)->DenseRange(0, 2)->ArgName("template");

// The printer's case at 2400 dpi: every pixel goes through the same stepper into runs.
class CountingSink : public RunSink {
public:
    int width() const override { return 26000; }
    int height() const override { return 18500; }
    void run(const PixelRun& r) override { pixels += r.count; }
    void fill(int, int, int, int, TColor) override {}
    long long pixels = 0;
};

void BM_PaintTemplateAt2400Dpi(benchmark::State& state) {
    CountingSink sink;
    RasterSurface surface(&sink, LinePatterns::forResolution(2400));
    const int index = static_cast<int>(state.range(0));
    for (auto _ : state)
        paintTemplate(index, surface, 2400 / 25.4, 2400 / 25.4);
    state.counters["pixels"] = benchmark::Counter(static_cast<double>(sink.pixels) / state.iterations());
}
BENCHMARK(BM_PaintTemplateAt2400Dpi)->DenseRange(0, 2)->ArgName("template");

} // namespace
