// The main window's pictures, read without guessing their format and decoded when first drawn, are the
// pictures in the resources.
#include "Pictures.h"

#include <QImage>
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

TEST(Pictures, MenuImagesInTheirOrderEachTheResourcePicture) {
    const QList<QIcon> images = menuImages();
    const char* const names[] = {"bulb", "printer", "person", "globe", "pdf"};
    ASSERT_EQ(images.size(), std::ssize(names));
    for (int i = 0; i < std::ssize(names); ++i) {
        SCOPED_TRACE(names[i]);
        EXPECT_EQ(images[i].availableSizes(), QList<QSize>({QSize(24, 24)}));
        const QImage expected = resource(QStringLiteral("menu-%1-24.png").arg(QLatin1String(names[i])));
        ASSERT_FALSE(expected.isNull());
        EXPECT_EQ(drawn(images[i], 24), expected);
    }
}

TEST(Pictures, PrintButtonPictureIsTheResourcePicture) {
    const QImage expected = resource(QStringLiteral("printer-48.png"));
    ASSERT_EQ(expected.size(), QSize(48, 48));
    EXPECT_EQ(printerPicture().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied), expected);
}

} // namespace
