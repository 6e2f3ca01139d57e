// The main window's pictures, read without guessing their format and decoded when first drawn, are the
// pictures in the resources.
#include "ui/Pictures.h"

#include <QImage>
#include <QPixmap>
#include <QString>

#include <gtest/gtest.h>

#include <iterator>

namespace {

// The resource as the image reader reads it when left to guess, in the icons' own format.
QImage resource(const QString& name) {
    return QImage(QStringLiteral(":/icons/") + name).convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage drawn(const QIcon& icon, int size) {
    return icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

TEST(Pictures, ProgramIconHasTheTitleBarSizesEachTheResourcePicture) {
    const QIcon icon = programIcon();
    EXPECT_EQ(icon.availableSizes(),
              QList<QSize>({QSize(16, 16), QSize(24, 24), QSize(32, 32), QSize(48, 48)}));
    for (int size : {16, 24, 32, 48}) {
        SCOPED_TRACE(size);
        const QImage expected = resource(QStringLiteral("vornel-%1.png").arg(size));
        ASSERT_EQ(expected.size(), QSize(size, size));
        EXPECT_EQ(drawn(icon, size), expected);
    }
}

// A picture and its twin for twice the density: each drawn from its own resource picture, the twin on a
// screen of twice the density and on one in between, which draws it scaled down.
void expectTwoDensities(const QIcon& icon, const QString& name, int size) {
    EXPECT_EQ(icon.availableSizes(), QList<QSize>({QSize(size, size), QSize(2 * size, 2 * size)}));
    const QImage single = resource(name + QStringLiteral(".png"));
    const QImage twice = resource(name + QStringLiteral("@2x.png"));
    ASSERT_EQ(single.size(), QSize(size, size));
    ASSERT_EQ(twice.size(), QSize(2 * size, 2 * size));
    EXPECT_EQ(drawn(icon, size), single);
    const QPixmap sharp = icon.pixmap(QSize(size, size), 2.0);
    EXPECT_EQ(sharp.deviceIndependentSize().toSize(), QSize(size, size));
    EXPECT_EQ(sharp.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied), twice);
    const QPixmap between = icon.pixmap(QSize(size, size), 1.5);
    EXPECT_EQ(between.deviceIndependentSize().toSize(), QSize(size, size));
    EXPECT_EQ(between.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied), twice);
}

TEST(Pictures, MenuImagesInTheirOrderEachTheResourcePictureAtEitherDensity) {
    const QList<QIcon> images = menuImages();
    const char* const names[] = {"bulb", "printer", "person", "globe", "pdf"};
    ASSERT_EQ(images.size(), std::ssize(names));
    for (int i = 0; i < std::ssize(names); ++i) {
        SCOPED_TRACE(names[i]);
        expectTwoDensities(images[i], QStringLiteral("menu-%1-24").arg(QLatin1String(names[i])), 24);
    }
}

TEST(Pictures, PrintButtonPictureIsTheResourcePictureAtEitherDensity) {
    expectTwoDensities(printerPicture(), QStringLiteral("printer-48"), 48);
}

} // namespace
