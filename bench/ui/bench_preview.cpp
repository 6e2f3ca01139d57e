// paintPreview with its immediate repaint at the design size, beside a plain widget of the same size repainting
// a pixmap (what the toolkit itself costs), and a storm of resizes of the whole window.
#include "BorrowedPrintSystem.h"
#include "FakePrintSystem.h"
#include "printing/TPrinter.h"
#include "ui/Main.h"
#include "ui/PreviewView.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <numeric>
#include <vector>

namespace {

struct ShownForm {
    ShownForm() {
        for (const char* name : {"Office", "PDF"}) {
            FakePrintSystem::Printer entry;
            entry.name = QString::fromLatin1(name);
            fake.printerList.push_back(entry);
        }
        fake.defaultAnswer = DefaultPrinterAnswer::named(QStringLiteral("Office"));
        form.FormCreate();
        form.showFirst();
        QCoreApplication::processEvents();
    }
    FakePrintSystem fake;
    TPrinter printer{std::make_unique<BorrowedPrintSystem>(fake)};
    TMainForm form{printer};
};

void BM_PaintPrew(benchmark::State& state) {
    ShownForm shown;
    for (auto _ : state)
        shown.form.paintPreview();
    state.counters["bitmap_w"] = shown.form.Preview->picture()->width();
    state.counters["bitmap_h"] = shown.form.Preview->picture()->height();
}
BENCHMARK(BM_PaintPrew)->Unit(benchmark::kMicrosecond);

// The floor: a widget of the preview's size in a window of the main window's size, drawing a pixmap.
class PixmapView : public QWidget {
public:
    PixmapView(const QPixmap& pixmap, QWidget* parent) : QWidget(parent), pixmap_(pixmap) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawPixmap(0, 0, pixmap_);
    }

private:
    QPixmap pixmap_;
};

void BM_PlainWidgetPixmapRepaint(benchmark::State& state) {
    QWidget window;
    window.resize(TMainForm::ClientWidth, TMainForm::ClientHeight);
    window.setAutoFillBackground(true);
    QPixmap pixmap(551, 393);
    pixmap.fill(Qt::white);
    PixmapView view(pixmap, &window);
    view.setGeometry(3, 3, 551, 393);
    window.show();
    QCoreApplication::processEvents();
    for (auto _ : state)
        view.repaint();
}
BENCHMARK(BM_PlainWidgetPixmapRepaint)->Unit(benchmark::kMicrosecond);

// 1000 resizes back and forth between sizes that grow, shrink below the bitmap and come back; each one lays
// out the window, repaints the preview and then the whole window, as a frame would, before the next.
void BM_ResizeStorm(benchmark::State& state) {
    ShownForm shown;
    const QSize sizes[] = {{800, 420}, {1024, 700}, {640, 360}, {400, 300}, {1200, 800}, {300, 120}};
    std::vector<double> took;
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i) {
            const auto start = std::chrono::steady_clock::now();
            shown.form.resize(sizes[i % std::size(sizes)]);
            QCoreApplication::processEvents();
            took.push_back(
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        }
    }
    std::sort(took.begin(), took.end());
    state.counters["mean_ms"] = std::accumulate(took.begin(), took.end(), 0.0) / took.size();
    state.counters["p99_ms"] = took[took.size() * 99 / 100];
    state.counters["worst_ms"] = took.back();
}
BENCHMARK(BM_ResizeStorm)->Unit(benchmark::kMillisecond);

} // namespace
