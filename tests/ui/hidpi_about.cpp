// The About picture on a screen of twice the density (QT_SCALE_FACTOR=2): drawn from the rendition made at
// that density, one device pixel to one, not enlarged from the plain picture. Run under an X server (ctest
// wraps it in xvfb-run).
#include "ui/AboutPicture.h"
#include "ui/DlgAbout.h"
#include "ui/PictureView.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPixmap>
#include <QRect>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include <cstdlib>

namespace {

// Mean difference of grey levels over an area of two pictures of one size.
double meanDifference(const QImage& a, const QImage& b, const QRect& area) {
    double sum = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            sum += std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y)));
    return sum / (double(area.width()) * area.height());
}

// The share of 2 x 2 blocks of the area that are not one colour, as every block of a picture enlarged
// pixel by pixel is.
double mixedBlocks(const QImage& picture, const QRect& area) {
    int mixed = 0;
    int blocks = 0;
    for (int y = area.top(); y + 1 <= area.bottom(); y += 2)
        for (int x = area.left(); x + 1 <= area.right(); x += 2, ++blocks) {
            const QRgb first = picture.pixel(x, y);
            mixed += picture.pixel(x + 1, y) != first || picture.pixel(x, y + 1) != first ||
                     picture.pixel(x + 1, y + 1) != first;
        }
    return double(mixed) / blocks;
}

TEST(HiDpiAbout, EachLanguageHasAPictureDrawnAtTwiceTheSize) {
    ASSERT_EQ(qApp->devicePixelRatio(), 2.0) << "run with QT_SCALE_FACTOR=2";
    // The header's words and logo: where an enlarged picture shows its softness.
    const QRect header(0, 0, 565 * 2, 84 * 2);
    for (const char* path : {":/about/AboutPicture.bin", ":/about/AboutPicture.en.bin"}) {
        SCOPED_TRACE(path);
        const QImage plain = AboutPicture::load(QString::fromLatin1(path));
        const QImage dense = AboutPicture::loadFor(2, QString::fromLatin1(path));
        EXPECT_EQ(dense.devicePixelRatio(), 2.0);
        ASSERT_EQ(dense.size(), QSize(565 * 2, 380 * 2));
        ASSERT_EQ(plain.size(), QSize(565, 380));
        EXPECT_EQ(AboutPicture::loadFor(1, QString::fromLatin1(path)), plain);

        // The same drawing: shrunk back, it is the plain picture but for the edges of the words.
        const QImage shrunk = dense.scaled(plain.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        EXPECT_LT(meanDifference(shrunk, plain, plain.rect()), 2.0);
        // Not the plain picture enlarged, pixel by pixel or smoothly.
        EXPECT_GT(mixedBlocks(dense, header), 0.05);
        const QImage enlarged = plain.scaled(dense.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        EXPECT_GT(meanDifference(dense, enlarged, header), 2.0);
    }
}

TEST(HiDpiAbout, TheDialogShowsTheDensePictureOneToOne) {
    QWidget owner;
    owner.setGeometry(100, 100, 700, 500);
    owner.show();
    TFormAbout dialog(&owner);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    const QImage& shown = dialog.Image32->picture();
    EXPECT_EQ(shown.devicePixelRatio(), 2.0);
    ASSERT_EQ(shown.size(), QSize(565 * 2, 380 * 2));
    QTest::qWait(300);

    // What the screen shows of the client, in device pixels: the picture centred as at one to one (7 and 4
    // of its pixels cut at the left and top), each of its pixels on one of the screen's.
    const QImage screen = dialog.screen()
                              ->grabWindow(dialog.winId(), 0, 0, dialog.width(), dialog.height())
                              .toImage()
                              .convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(screen.size(), QSize(550 * 2, 371 * 2));
    const QImage picture = shown.convertToFormat(QImage::Format_RGB32);
    // Corners no control covers, 20 device pixels square.
    for (const QPoint corner : {QPoint(0, 0), QPoint(1080, 0), QPoint(0, 722), QPoint(1080, 722)}) {
        SCOPED_TRACE(QStringLiteral("%1, %2").arg(corner.x()).arg(corner.y()).toStdString());
        int differing = 0;
        for (int y = corner.y(); y < corner.y() + 20; ++y)
            for (int x = corner.x(); x < corner.x() + 20; ++x)
                differing += screen.pixel(x, y) != picture.pixel(x + 14, y + 8);
        EXPECT_EQ(differing, 0);
    }
}

} // namespace
