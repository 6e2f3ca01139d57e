// What opening the About dialog costs: reading the picture block, building the dialog, painting it.
#include "ui/AboutPicture.h"
#include "ui/DlgAbout.h"

#include <benchmark/benchmark.h>

#include <QPixmap>

namespace {

void BM_LoadAboutPicture(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(AboutPicture::load());
}
BENCHMARK(BM_LoadAboutPicture)->Unit(benchmark::kMillisecond);

void BM_CreateAboutDialog(benchmark::State& state) {
    for (auto _ : state) {
        TFormAbout dialog(nullptr);
        benchmark::DoNotOptimize(&dialog);
    }
}
BENCHMARK(BM_CreateAboutDialog)->Unit(benchmark::kMillisecond);

void BM_PaintAboutDialog(benchmark::State& state) {
    TFormAbout dialog(nullptr);
    dialog.show();
    for (auto _ : state)
        benchmark::DoNotOptimize(dialog.grab());
}
BENCHMARK(BM_PaintAboutDialog)->Unit(benchmark::kMillisecond);

} // namespace
