// The preview: what the user sees in the preview area for each size and template.
#include "ImageSink.h"
#include "MainFormHarness.h"
#include "platform/RasterSurface.h"
#include "templates/TemplateDispatch.h"
#include "ui/PreviewGeometry.h"

#include <QListWidget>
#include <QPalette>
#include <QTest>

namespace {

TEST(PreviewRect, KeepsSmallPicturesAndShrinksLargeOnesCentred) {
    struct Case {
        const char* name;
        QSize bitmap;
        QSize control;
        QRect expected;
    };
    const Case cases[] = {
        {"design size, 1:1 with no offset", {551, 393}, {551, 393}, QRect(0, 0, 551, 393)},
        {"larger area, never enlarged", {551, 393}, {751, 493}, QRect(100, 50, 551, 393)},
        {"square area, width bound", {551, 393}, {400, 400}, QRect(0, 57, 400, 285)},
        {"low area, height bound", {551, 393}, {600, 200}, QRect(160, 0, 280, 200)},
        {"odd margins truncate", {10, 10}, {13, 14}, QRect(1, 2, 10, 10)},
        {"tall picture, height bound", {100, 200}, {300, 100}, QRect(125, 0, 50, 100)},
        {"tall picture, width bound", {100, 200}, {40, 300}, QRect(0, 110, 40, 80)},
        {"empty area", {551, 393}, {0, 0}, QRect(0, 0, 0, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(previewRect(c.bitmap, c.control), c.expected);
    }
}

class PreviewTest : public MainFormHarness {
protected:
    // The preview area in client coordinates.
    QRect area() const { return form->Preview->geometry(); }
    QImage previewPixels() const { return client().copy(area()); }

    // What a row's template looks like on its own, in a fresh window at the design size.
    QImage referenceFor(int row) {
        FakePrintSystem otherFake = fake;
        otherFake.defaultAnswer = DefaultPrinterAnswer::named(QStringLiteral("Label"));
        TPrinter otherPrinter(std::make_unique<BorrowedPrintSystem>(otherFake));
        TMainForm other(otherPrinter);
        other.FormCreate();
        other.ListBoxTemplates->setItemIndex(row);
        other.showFirst();
        return other.ClientArea->grab()
            .toImage()
            .convertToFormat(QImage::Format_RGB32)
            .copy(other.Preview->geometry());
    }
};

TEST_F(PreviewTest, DesignLayoutDrawsTheEnvelopeOneToOne) {
    start();
    ASSERT_TRUE(form->Preview->hasPicture());
    EXPECT_EQ(form->Preview->picture()->size(), QSize(551, 393));
    const QRect drawn = darkBounds(client(), area());
    // Envelope's left edge and the top flap's outer edge, from the client area's corner.
    EXPECT_EQ(drawn.left(), 43);
    EXPECT_EQ(drawn.top(), 67);
    EXPECT_EQ(drawn.right(), 543);
    EXPECT_EQ(drawn.bottom(), 359);
}

TEST_F(PreviewTest, OnlyBlackLinesOnTheWindowBackground) {
    start();
    const QImage shown = previewPixels();
    const QRgb face = form->ClientArea->palette().color(QPalette::Window).rgb();
    EXPECT_EQ(face, form->palette().color(QPalette::Button).rgb());
    int dark = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            const QRgb p = shown.pixel(x, y);
            dark += isDark(p);
            if (!isDark(p)) {
                ASSERT_EQ(p, face) << x << "," << y;
            }
        }
    EXPECT_GT(dark, 1000);
}

TEST_F(PreviewTest, ShowsTheTemplatePixelForPixelWholeAndInParts) {
    start();
    QImage expected(form->Preview->pictureSize(), QImage::Format_RGB32);
    expected.fill(Qt::white);
    ImageSink sink(expected);
    RasterSurface surface(&sink);
    paintTemplate(0, surface, TMainForm::PreviewScale, TMainForm::PreviewScale);
    const QPoint origin = form->Preview->pictureRect().topLeft();
    // The whole preview, and parts that begin and end inside the strips it is drawn in.
    const QRect parts[] = {form->Preview->rect(), QRect(37, 45, 200, 71), QRect(0, 300, 551, 93),
                           QRect(400, 1, 1, 390)};
    for (const QRect& part : parts) {
        SCOPED_TRACE(QStringLiteral("%1,%2 %3x%4")
                         .arg(part.x())
                         .arg(part.y())
                         .arg(part.width())
                         .arg(part.height())
                         .toStdString());
        // Red shows through wherever the preview leaves the background be.
        QImage shown(form->Preview->size(), QImage::Format_RGB32);
        shown.fill(Qt::red);
        form->Preview->render(&shown, part.topLeft(), QRegion(part), QWidget::DrawChildren);
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) {
                const QPoint at = QPoint(x, y) - origin;
                const bool drawn =
                    part.contains(x, y) && expected.rect().contains(at) && isDark(expected.pixel(at));
                ASSERT_EQ(shown.pixel(x, y), drawn ? 0xFF000000u : QColor(Qt::red).rgb()) << x << "," << y;
            }
    }
}

TEST_F(PreviewTest, PlacesTheBitmapForTheAreaSize) {
    struct Case {
        const char* name;
        QSize client;
        QRect pictureRect; // in Preview
    };
    const Case cases[] = {
        {"grown: 1:1, centred", {1000, 499}, QRect(100, 50, 551, 393)},
        {"shrunk to a square area", {649, 406}, QRect(0, 57, 400, 285)},
        {"back at the design size", {800, 399}, QRect(0, 0, 551, 393)},
    };
    start();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        setClientSize(c.client);
        EXPECT_EQ(form->Preview->picture()->size(), QSize(551, 393));
        const QRect target = form->Preview->pictureRect();
        EXPECT_EQ(target, c.pictureRect);
        // The envelope covers bitmap pixels 40..540 across and 64..356 down; scaled by dropping pixels.
        const double sx = double(target.width()) / 551;
        const double sy = double(target.height()) / 393;
        const QRect expected(QPoint(target.left() + int(40 * sx), target.top() + int(64 * sy)),
                             QPoint(target.left() + int(540 * sx), target.top() + int(356 * sy)));
        const QRect drawn = darkBounds(previewPixels(), QRect(QPoint(0, 0), form->Preview->size()));
        EXPECT_TRUE(target.contains(drawn));
        EXPECT_LE(std::abs(drawn.left() - expected.left()), 1);
        EXPECT_LE(std::abs(drawn.top() - expected.top()), 1);
        EXPECT_LE(std::abs(drawn.right() - expected.right()), 1);
        EXPECT_LE(std::abs(drawn.bottom() - expected.bottom()), 1);
    }
}

TEST_F(PreviewTest, ArrowKeysRepaintEachStepWithNothingLeftOfThePrevious) {
    const QImage references[] = {referenceFor(0), referenceFor(1), referenceFor(2)};
    ASSERT_NE(references[0], references[1]);
    ASSERT_NE(references[1], references[2]);
    start();
    ASSERT_EQ(previewPixels(), references[0]);
    struct Step {
        Qt::Key key;
        int row;
    };
    const Step steps[] = {{Qt::Key_Down, 1}, {Qt::Key_Down, 2}, {Qt::Key_Up, 1}, {Qt::Key_Up, 0}};
    for (const Step& s : steps) {
        SCOPED_TRACE(s.row);
        QTest::keyClick(form->ListBoxTemplates, s.key);
        EXPECT_EQ(form->ListBoxTemplates->ItemIndex(), s.row);
        EXPECT_EQ(previewPixels(), references[s.row]);
    }
}

TEST_F(PreviewTest, CreationSelectsTheFirstTemplateWithoutPainting) {
    create();
    EXPECT_EQ(form->ListBoxTemplates->ItemIndex(), 0);
    EXPECT_FALSE(form->Preview->hasPicture());
}

TEST_F(PreviewTest, AfterAFailedPrinterStepNoTemplateShowsUntilTheUserPicksOne) {
    fake.defaultAnswer = DefaultPrinterAnswer::none();
    start();
    EXPECT_EQ(reported, QStringList{QStringLiteral("There is no default printer currently selected.")});
    EXPECT_EQ(form->ListBoxTemplates->ItemIndex(), -1);
    ASSERT_TRUE(form->Preview->hasPicture());
    EXPECT_TRUE(darkBounds(previewPixels(), QRect(QPoint(0, 0), form->Preview->size())).isEmpty());

    const QImage expected = referenceFor(1);
    TListBox* list = form->ListBoxTemplates;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_EQ(previewPixels(), expected);
}

TEST_F(PreviewTest, TheBitmapIsMadeAtTheFirstNonEmptyAreaAndKept) {
    create();
    // First shown with no room for the preview: nothing to make a bitmap from yet.
    form->resize(200, 300);
    form->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(form->Preview->width(), 0);
    EXPECT_FALSE(form->Preview->hasPicture());

    setClientSize(QSize(700, 350));
    ASSERT_TRUE(form->Preview->hasPicture());
    EXPECT_EQ(form->Preview->picture()->size(), QSize(451, 344));
    EXPECT_FALSE(darkBounds(previewPixels(), QRect(QPoint(0, 0), form->Preview->size())).isEmpty());

    setClientSize(QSize(1000, 600));
    EXPECT_EQ(form->Preview->picture()->size(), QSize(451, 344));
}

} // namespace
