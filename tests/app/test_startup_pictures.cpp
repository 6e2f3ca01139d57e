// Pictures made when first drawn: the deferred icon, and the application style's overflow-button icons.
#include "app/ApplicationStyle.h"
#include "ui/DeferredIcon.h"

#include <QApplication>
#include <QImage>
#include <QMenuBar>
#include <QPixmap>
#include <QProxyStyle>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

QImage square(int size, QColor colour) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

QIcon twoSizes() {
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(square(16, Qt::red)));
    icon.addPixmap(QPixmap::fromImage(square(32, Qt::blue)));
    return icon;
}

TEST(DeferredIcon, IsMadeOnceWhenFirstDrawnAndDrawsWhatItWouldHaveDrawn) {
    int made = 0;
    const QIcon icon = deferredIcon(
        [&made] {
            ++made;
            return twoSizes();
        },
        {QSize(16, 16), QSize(32, 32)});
    const QIcon copy = icon;
    // Asked whether it is null and which sizes it has, it is not made yet.
    EXPECT_FALSE(icon.isNull());
    EXPECT_EQ(icon.availableSizes(), QList<QSize>({QSize(16, 16), QSize(32, 32)}));
    EXPECT_EQ(made, 0);

    const QIcon madeAtOnce = twoSizes();
    for (int size : {16, 32, 24}) {
        SCOPED_TRACE(size);
        EXPECT_EQ(icon.pixmap(size).toImage(), madeAtOnce.pixmap(size).toImage());
        EXPECT_EQ(copy.actualSize(QSize(size, size)), madeAtOnce.actualSize(QSize(size, size)));
    }
    EXPECT_EQ(made, 1);
}

TEST(DeferredIcon, WithoutToldSizesTakesThemFromTheIconMade) {
    int made = 0;
    const QIcon icon = deferredIcon([&made] {
        ++made;
        return twoSizes();
    });
    EXPECT_EQ(icon.availableSizes(), twoSizes().availableSizes());
    EXPECT_EQ(made, 1);
}

TEST(DeferredIcon, AnEmptyIconMadeDrawsNothing) {
    const QIcon icon = deferredIcon([] { return QIcon(); }, {QSize(16, 16)});
    EXPECT_TRUE(icon.pixmap(16).isNull());
}

// The program's application object sets the style; its overflow icons must be the platform style's own.
TEST(ApplicationStyle, OverflowIconsAreTheBaseStyles) {
    auto* style = qobject_cast<QProxyStyle*>(QApplication::style());
    ASSERT_NE(dynamic_cast<ApplicationStyle*>(QApplication::style()), nullptr);
    for (auto which : {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton,
                       QStyle::SP_MessageBoxWarning}) {
        SCOPED_TRACE(which);
        const QImage expected = style->baseStyle()->standardIcon(which).pixmap(16).toImage();
        ASSERT_FALSE(expected.isNull());
        EXPECT_EQ(style->standardIcon(which).pixmap(16).toImage(), expected);
    }
}

TEST(ApplicationStyle, MenuBarOverflowButtonShowsItsIconWhenTheBarIsTooNarrow) {
    QMenuBar bar;
    for (const char* title : {"Файл", "Правка", "Вид", "Справка"})
        bar.addMenu(QString::fromUtf8(title));
    bar.resize(40, bar.sizeHint().height());
    bar.show();
    QApplication::processEvents();
    QToolButton* overflow = bar.findChild<QToolButton*>();
    ASSERT_NE(overflow, nullptr);
    EXPECT_TRUE(overflow->isVisible());
    const auto* style = qobject_cast<QProxyStyle*>(QApplication::style());
    EXPECT_EQ(
        overflow->icon().pixmap(16).toImage(),
        style->baseStyle()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton).pixmap(16).toImage());
}

} // namespace
