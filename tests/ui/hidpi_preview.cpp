// The preview on a screen of twice the density (QT_SCALE_FACTOR=2), as a screenshot of the real window shows
// it: the envelope drawn at the screen's device pixels with one-device-pixel lines. Run under an X server
// (ctest wraps it in xvfb-run); pass a file name to keep the screenshot.
#include "ImageSink.h"
#include "MainFormHarness.h"
#include "platform/RasterSurface.h"
#include "templates/TemplateDispatch.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include <cmath>
#include <vector>

namespace {

class HiDpiPreview : public MainFormHarness {
protected:
    // What the screen shows of the preview area, in device pixels.
    QImage screenshot() {
        const QRect area(form->Preview->mapTo(form.get(), QPoint(0, 0)), form->Preview->size());
        const QPixmap shot =
            form->screen()->grabWindow(form->winId(), area.x(), area.y(), area.width(), area.height());
        return shot.toImage().convertToFormat(QImage::Format_RGB32);
    }
};

// The template as the pixel rule draws it on a white bitmap of that many device pixels at that scale.
QImage drawnAlone(int row, QSize size, double scale) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    ImageSink sink(image);
    RasterSurface surface(&sink);
    paintTemplate(row, surface, scale, scale);
    return image;
}

// Lengths of the runs of dark pixels down one column.
std::vector<int> darkRunsDown(const QImage& image, int x) {
    std::vector<int> runs;
    int run = 0;
    for (int y = 0; y <= image.height(); ++y) {
        if (y < image.height() && isDark(image.pixel(x, y))) {
            ++run;
        } else if (run > 0) {
            runs.push_back(run);
            run = 0;
        }
    }
    return runs;
}

TEST_F(HiDpiPreview, LinesAreOneDevicePixelAtTwiceTheDensity) {
    const double ratio = qApp->devicePixelRatio();
    ASSERT_EQ(ratio, 2.0) << "run with QT_SCALE_FACTOR=2";
    start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    QTest::qWait(300);

    const QSize area = form->Preview->size();
    EXPECT_EQ(form->Preview->pictureRatio(), 2.0);
    EXPECT_EQ(form->Preview->pictureSize(), area * 2);
    EXPECT_EQ(form->Preview->pictureRect(), QRect(QPoint(0, 0), area));

    const QImage shown = screenshot();
    ASSERT_EQ(shown.size(), area * 2);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() > 1)
        shown.save(args.last());

    // Every dark pixel on the screen is one the template draws at 4 px/mm, and the other way round.
    const QImage expected = drawnAlone(0, area * 2, 2 * TMainForm::PreviewScale);
    int dark = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            const bool want = isDark(expected.pixel(x, y));
            dark += want;
            ASSERT_EQ(isDark(shown.pixel(x, y)), want) << x << "," << y;
        }
    EXPECT_GT(dark, 2000);

    // The horizontal lines crossing the middle are one device pixel high, not two.
    const std::vector<int> runs = darkRunsDown(shown, shown.width() / 2);
    ASSERT_GE(runs.size(), 2u);
    for (int run : runs)
        EXPECT_EQ(run, 1);
}

} // namespace
