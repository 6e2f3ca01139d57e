// The headings' bold at every screen density: the window font has no bold face, and the toolkit's synthetic
// bold alone thins out above density 1.
#include "ui/BoldLabel.h"
#include "ui/Fonts.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPalette>
#include <QString>
#include <QToolTip>

#include <gtest/gtest.h>

namespace {

// The label drawn at that density on white, in device pixels.
QImage rendered(QLabel& label, double density) {
    QImage image(label.size() * density, QImage::Format_RGB32);
    image.setDevicePixelRatio(density);
    image.fill(Qt::white);
    QPainter painter(&image);
    label.render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

// The label as the screen shows it at that density, black on white, in device pixels.
QImage shown(QLabel& label, double density) {
    label.setAlignment(Qt::AlignCenter);
    label.resize(240, 25);
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    label.setPalette(palette);
    return rendered(label, density);
}

// The ink, in units of a logical pixel of black.
double ink(const QImage& image) {
    double sum = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            sum += 255 - qGray(image.pixel(x, y));
    return sum / 255 / (image.devicePixelRatio() * image.devicePixelRatio());
}

class Headings : public testing::TestWithParam<const char*> {
protected:
    static void SetUpTestSuite() { registerApplicationFonts(); }
    QString text() const { return QString::fromUtf8(GetParam()); }
};

TEST_P(Headings, AsBoldBesideTheWindowTextAtEveryDensityAsOnAnOrdinaryScreen) {
    const auto ratioAt = [this](double density) {
        BoldLabel heading(text());
        heading.setFont(headingFont());
        QLabel plain(text());
        plain.setFont(windowFont());
        return ink(shown(heading, density)) / ink(shown(plain, density));
    };
    const double ordinary = ratioAt(1);
    ASSERT_GT(ordinary, 1.3);
    for (double density : {1.25, 1.5, 1.75, 2.0, 2.5, 3.0}) {
        SCOPED_TRACE(density);
        EXPECT_NEAR(ratioAt(density), ordinary, 0.12);
    }
}

TEST_P(Headings, OnAnOrdinaryScreenDrawnAsAnyLabel) {
    BoldLabel heading(text());
    heading.setFont(headingFont());
    QLabel plain(text());
    plain.setFont(headingFont());
    EXPECT_EQ(shown(heading, 1), shown(plain, 1));
}

// A longer translation in the same box ends in an ellipsis, drawn as the shortened text would be, and the
// whole text comes up as the tooltip; a text that fits is drawn whole and has none.
TEST_P(Headings, TooWideForTheLabelEndsInAnEllipsisAndShowsWholeAsTheTooltip) {
    const QFont font = headingFont();
    const int width = QFontMetrics(font).horizontalAdvance(text()) * 2 / 3;
    const QString cut = QFontMetrics(font).elidedText(text(), Qt::ElideRight, width);
    ASSERT_NE(cut, text());
    for (double density : {1.0, 2.0}) {
        SCOPED_TRACE(density);
        BoldLabel heading(text());
        heading.setFont(font);
        BoldLabel shortened(cut);
        shortened.setFont(font);
        for (QLabel* label : {static_cast<QLabel*>(&heading), static_cast<QLabel*>(&shortened)}) {
            label->setAlignment(Qt::AlignCenter);
            label->setFixedWidth(width);
        }
        EXPECT_EQ(rendered(heading, density), rendered(shortened, density));
    }

    const auto tooltipOf = [](QLabel& label) {
        label.show();
        QHelpEvent ask(QEvent::ToolTip, QPoint(2, 2), label.mapToGlobal(QPoint(2, 2)));
        QCoreApplication::sendEvent(&label, &ask);
        const QString shown = ask.isAccepted() ? QToolTip::text() : QString();
        QToolTip::hideText();
        return shown;
    };
    BoldLabel narrow(text());
    narrow.setFont(font);
    narrow.setFixedWidth(width);
    EXPECT_EQ(tooltipOf(narrow), text());
    BoldLabel wide(text());
    wide.setFont(font);
    wide.setFixedWidth(width * 2);
    EXPECT_EQ(tooltipOf(wide), QString());
}

INSTANTIATE_TEST_SUITE_P(MainWindow, Headings,
                         testing::Values("Выбор принтера", "Выбор шаблона печати", "Техническая поддержка",
                                         "Choose a print template"));

} // namespace
