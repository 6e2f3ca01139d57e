#include "app/ErrorReport.h"
#include "platform/Errors.h"
#include "platform/PictureBlock.h"
#include "platform/Shell.h"
#include "ui/AboutPicture.h"
#include "ui/DlgAbout.h"
#include "ui/Fonts.h"
#include "ui/LinkLabel.h"
#include "ui/ProductConstants.h"
#include "ui/PictureView.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QtEndian>

#include <functional>
#include <optional>
#include <vector>

namespace {

QByteArray blockOf(qint32 width, qint32 height, qsizetype pixelBytes) {
    QByteArray block(8 + pixelBytes, '\x7f');
    qToLittleEndian<qint32>(width, block.data());
    qToLittleEndian<qint32>(height, block.data() + 4);
    return block;
}

QString resourceErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const EResourceError& e) {
        return QString::fromUtf8(e.what());
    }
    return QStringLiteral("no error");
}

// ---- The picture block ----

TEST(PictureBlock, PixelsAreLittleEndianRowsFromTheTopAndComeOutOpaque) {
    // 2 x 3: the bytes of each pixel are blue, green, red, alpha.
    const unsigned char bytes[] = {2,    0,    0,    0,    3,    0,    0,    0,    //
                                   0x33, 0x22, 0x11, 0x00, 0x66, 0x55, 0x44, 0xff, //
                                   0x99, 0x88, 0x77, 0x80, 0x01, 0x02, 0x03, 0x04, //
                                   0xcc, 0xbb, 0xaa, 0xff, 0xff, 0xee, 0xdd, 0x7f};
    const QImage picture = PictureBlock::read(QByteArrayView(bytes, sizeof bytes), "Test");
    ASSERT_EQ(picture.size(), QSize(2, 3));
    EXPECT_EQ(picture.pixel(0, 0), 0xff112233u);
    EXPECT_EQ(picture.pixel(1, 0), 0xff445566u);
    EXPECT_EQ(picture.pixel(0, 1), 0xff778899u);
    EXPECT_EQ(picture.pixel(1, 1), 0xff030201u);
    EXPECT_EQ(picture.pixel(0, 2), 0xffaabbccu);
    EXPECT_EQ(picture.pixel(1, 2), 0xffddeeffu);

    // Written back, each alpha byte is 0xff.
    QByteArray opaque(reinterpret_cast<const char*>(bytes), sizeof bytes);
    for (const int alpha : {11, 15, 19, 23, 27, 31})
        opaque[alpha] = '\xff';
    EXPECT_EQ(PictureBlock::write(picture), opaque);
}

TEST(PictureBlock, ABlockThatDoesNotHoldItsPictureIsAClearError) {
    struct Case {
        const char* name;
        QByteArray block;
        const char* message;
    } cases[] = {
        {"empty", {}, "Test is damaged: its block of 0 bytes is too short for a size"},
        {"half a size", QByteArray(7, '\1'), "Test is damaged: its block of 7 bytes is too short for a size"},
        {"zero width", blockOf(0, 4, 0), "Test is damaged: its size 0 x 4 is not positive"},
        {"negative height", blockOf(3, -1, 12), "Test is damaged: its size 3 x -1 is not positive"},
        {"one pixel short", blockOf(3, 2, 20),
         "Test is damaged: its block of 28 bytes does not hold 3 x 2 pixels"},
        {"one byte over", blockOf(3, 2, 25),
         "Test is damaged: its block of 33 bytes does not hold 3 x 2 pixels"},
        {"size past 64 bits", blockOf(0x7fffffff, 0x7fffffff, 16),
         "Test is damaged: its block of 24 bytes does not hold 2147483647 x 2147483647 pixels"},
        {"wraps to the length in 32 bits", blockOf(0x40000001, 4, 16),
         "Test is damaged: its block of 24 bytes does not hold 1073741825 x 4 pixels"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(resourceErrorOf([&] { PictureBlock::read(c.block, "Test"); }),
                  QString::fromUtf8(c.message));
    }
}

TEST(PictureBlock, TheErrorReportShowsTheDamageAsASentence) {
    QString shown;
    ErrorReport::setPresenter([&](const QString& text, const QString&) { shown = text; });
    ErrorReport::guard([] { PictureBlock::read(blockOf(565, 380, 100), "The About picture"); });
    ErrorReport::setPresenter({});
    EXPECT_EQ(shown,
              QStringLiteral("The About picture is damaged: its block of 108 bytes does not hold 565 x 380 "
                             "pixels."));
}

TEST(AboutPicture, AMissingResourceIsAClearError) {
    EXPECT_EQ(resourceErrorOf([] { AboutPicture::load(QStringLiteral(":/about/none.bin")); }),
              QStringLiteral("Нет картинки окна «О программе»: :/about/none.bin"));
}

// ---- The compiled-in picture ----

double meanGray(const QImage& image, const QRect& area) {
    double sum = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            sum += qGray(image.pixel(x, y));
    return sum / (double(area.width()) * area.height());
}

TEST(AboutPicture, IsOneOpaqueBlockWithTheBandsTheLayoutNeeds) {
    QFile resource(AboutPicture::ResourcePath);
    ASSERT_TRUE(resource.open(QIODevice::ReadOnly));
    const QByteArray block = resource.readAll();
    EXPECT_EQ(block.size(), 858808);
    for (qsizetype alpha = 8 + 3; alpha < block.size(); alpha += 4)
        ASSERT_EQ(static_cast<unsigned char>(block[alpha]), 0xff) << "byte " << alpha;

    const QImage picture = AboutPicture::load();
    ASSERT_EQ(picture.size(), QSize(565, 380));

    // Dark header, with a light logo and name on it.
    EXPECT_LT(meanGray(picture, QRect(0, 0, 565, 84)), 90);
    int lightInHeader = 0;
    for (int y = 0; y < 84; ++y)
        for (int x = 0; x < 565; ++x)
            lightInHeader += qGray(picture.pixel(x, y)) > 220;
    EXPECT_GT(lightInHeader, 500);

    // Behind every label the body is light enough for black and navy text.
    const QRect behindLabels = QRect(58, 107, 489, 192).translated(7, 4);
    for (int y = behindLabels.top(); y <= behindLabels.bottom(); ++y)
        for (int x = behindLabels.left(); x <= behindLabels.right(); ++x)
            ASSERT_GE(qGray(picture.pixel(x, y)), 200) << "picture pixel " << x << ", " << y;

    // The body shades from white to light grey towards the right.
    const QRect bodyRows(0, 90, 1, 226);
    EXPECT_GE(meanGray(picture, bodyRows.translated(60, 0)), 254);
    EXPECT_LT(meanGray(picture, bodyRows.translated(564, 0)), 240);
    EXPECT_GT(meanGray(picture, bodyRows.translated(564, 0)), 215);

    // The footer is light grey and darkens downwards.
    double above = 255;
    for (int y = 318; y < 380; ++y) {
        const double row = meanGray(picture, QRect(0, y, 565, 1));
        SCOPED_TRACE(y);
        EXPECT_LE(row, above);
        EXPECT_GT(row, 180);
        EXPECT_LT(row, 240);
        above = row;
    }
    EXPECT_GT(meanGray(picture, QRect(0, 318, 565, 4)) - meanGray(picture, QRect(0, 376, 565, 4)), 20);
}

// ---- The picture view ----

TEST(PictureView, ShowsThePictureOneToOneCentredWithTheOddPixelRightAndBottom) {
    QImage picture(565, 380, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x % 256, y % 256, (x / 256) * 64 + (y / 256) * 16 + 1));
    const QColor background(10, 200, 30);

    struct Case {
        QSize view;
        QPoint origin;
    } cases[] = {
        {{550, 371}, {-7, -4}}, // the dialog: 7 + 8 columns and 4 + 5 rows cut
        {{565, 380}, {0, 0}},   //
        {{564, 379}, {0, 0}},   // a cut of one falls on the right and bottom, not at the left and top
        {{566, 381}, {0, 0}},   // a margin of one likewise
        {{600, 421}, {17, 20}}, // margins of 17 + 18 columns and 20 + 21 rows
        {{40, 30}, {-262, -175}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 x %2").arg(c.view.width()).arg(c.view.height()).toStdString());
        QWidget host;
        QPalette palette = host.palette();
        palette.setColor(QPalette::Window, background);
        host.setPalette(palette);
        TPictureView view(&host);
        view.setPicture(picture);
        view.setGeometry(QRect(QPoint(0, 0), c.view));
        host.resize(c.view);

        EXPECT_EQ(TPictureView::pictureOrigin(c.view, picture.size()), c.origin);
        QImage expected(c.view, QImage::Format_RGB32);
        expected.fill(background);
        QPainter(&expected).drawImage(c.origin, picture);
        const QImage shown = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
        EXPECT_TRUE(shown == expected);
    }
}

// ---- The dialog ----

class AboutDialog : public testing::Test {
protected:
    static void SetUpTestSuite() { registerApplicationFonts(); }

    void SetUp() override {
        owner.resize(800, 600);
        owner.show();
    }
    void TearDown() override {
        Shell::setOpener({});
        ErrorReport::setPresenter({});
    }

    // Runs the About command as the Help menu does; `whileShown` runs inside the modal loop.
    void runWhileShown(const std::function<void(TFormAbout&)>& whileShown) {
        // Should a step fail before closing what it opened, the test still ends instead of hanging.
        QTimer safety;
        QObject::connect(&safety, &QTimer::timeout, [] {
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
        });
        safety.start(3000);
        QTimer::singleShot(0, [&] {
            ASSERT_NE(FormAbout, nullptr);
            ASSERT_TRUE(FormAbout->isVisible());
            whileShown(*FormAbout);
        });
        runAboutCommand(&owner);
    }

    QWidget owner;
};

TEST_F(AboutDialog, ComponentsHaveTheirTextsBoundsAndFonts) {
    TFormAbout dialog(&owner);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("О программе..."));
    EXPECT_EQ(dialog.size(), QSize(550, 371));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    const Qt::WindowFlags flags = dialog.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowContextHelpButtonHint));
    EXPECT_EQ(dialog.font().family(), QStringLiteral("Tahoma"));
    EXPECT_EQ(dialog.font().pixelSize(), 13);
    EXPECT_EQ(dialog.Image32->geometry(), QRect(0, 0, 550, 371));

    const int fits = -1;
    struct Case {
        QLabel* label;
        const char* text;
        QRect bounds; // width `fits` follows the text
        const char* family;
        int pixels;
        bool boldUnderlined;
        QColor colour;
        Qt::Alignment alignment;
    } cases[] = {
        {dialog.ProgrammLabel,
         "Ворнель [light]",
         {58, 107, fits, 19},
         "Arial",
         16,
         false,
         Qt::black,
         Qt::AlignLeft | Qt::AlignTop},
        {dialog.VersionLabel,
         "Версия программы: 1.13",
         {58, 129, fits, 16},
         "Tahoma",
         13,
         false,
         Qt::black,
         Qt::AlignLeft | Qt::AlignTop},
        {dialog.AuthorLabel,
         "Copyright: © 2026 Ворнель",
         {58, 151, fits, 16},
         "Tahoma",
         13,
         false,
         Qt::black,
         Qt::AlignLeft | Qt::AlignTop},
        {dialog.InfoLabel,
         "Ворнель - современная и удобная БЕСПЛАТНАЯ программа для печати конвертов для CD/DVD и других "
         "дисков. "
         "Позволяет на любом принтере распечатать конверт и использовать его для любых дисков!",
         {58, 181, 483, 106},
         "Tahoma",
         13,
         false,
         Qt::black,
         Qt::AlignLeft | Qt::AlignTop},
        {dialog.SiteLabel,
         "Сайт программы",
         {22, 282, 257, 16},
         "Tahoma",
         13,
         true,
         QColor(0, 0, 128),
         Qt::AlignHCenter | Qt::AlignTop},
        {dialog.SupportLabel,
         "Техническая поддержка",
         {288, 282, 259, 16},
         "Tahoma",
         13,
         true,
         QColor(0, 0, 128),
         Qt::AlignHCenter | Qt::AlignTop},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label->objectName().toStdString());
        EXPECT_EQ(c.label->parentWidget(), dialog.Image32);
        EXPECT_EQ(c.label->text(), QString::fromUtf8(c.text));
        const int textWidth = QFontMetrics(c.label->font()).horizontalAdvance(c.label->text());
        const QRect bounds = c.bounds.width() == fits
                                 ? QRect(c.bounds.topLeft(), QSize(textWidth, c.bounds.height()))
                                 : c.bounds;
        EXPECT_EQ(c.label->geometry(), bounds);
        EXPECT_EQ(c.label->font().family(), QString::fromUtf8(c.family));
        EXPECT_EQ(c.label->font().pixelSize(), c.pixels);
        EXPECT_EQ(c.label->font().bold(), c.boldUnderlined || c.label == dialog.ProgrammLabel);
        EXPECT_EQ(c.label->font().underline(), c.boldUnderlined);
        EXPECT_EQ(c.label->palette().color(QPalette::WindowText), c.colour);
        EXPECT_EQ(c.label->alignment(), c.alignment);
        EXPECT_FALSE(c.label->autoFillBackground());
        EXPECT_EQ(c.label->cursor().shape(), c.boldUnderlined ? Qt::PointingHandCursor : Qt::ArrowCursor);
    }
    EXPECT_TRUE(dialog.InfoLabel->wordWrap());
    EXPECT_FALSE(dialog.ProgrammLabel->wordWrap());

    EXPECT_EQ(dialog.CloseButton->parentWidget(), dialog.Image32);
    EXPECT_EQ(dialog.CloseButton->text(), QStringLiteral("Закрыть"));
    EXPECT_EQ(dialog.CloseButton->geometry(), QRect(419, 327, 122, 33));
    EXPECT_EQ(dialog.CloseButton->font(), dialog.font());
    EXPECT_TRUE(dialog.CloseButton->isDefault());
}

TEST_F(AboutDialog, TheDescriptionWrapsWithinItsBox) {
    TFormAbout dialog(&owner);
    const QFontMetrics metrics(dialog.InfoLabel->font());
    const QRect needed =
        metrics.boundingRect(QRect(0, 0, dialog.InfoLabel->width(), 1000),
                             Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, dialog.InfoLabel->text());
    EXPECT_GT(needed.height(), metrics.height()); // more than one line
    EXPECT_LE(needed.height(), dialog.InfoLabel->height());
    EXPECT_LE(needed.width(), dialog.InfoLabel->width());
}

TEST_F(AboutDialog, TheClientShowsTheCentredPicture) {
    TFormAbout dialog(&owner);
    dialog.show();
    const QImage picture = AboutPicture::load();
    const QImage client = dialog.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(client.size(), QSize(550, 371));
    // Corners no control covers.
    for (const QPoint corner : {QPoint(0, 0), QPoint(549, 0), QPoint(0, 370), QPoint(549, 370)}) {
        SCOPED_TRACE(QStringLiteral("%1, %2").arg(corner.x()).arg(corner.y()).toStdString());
        EXPECT_EQ(client.pixel(corner), picture.pixel(corner + QPoint(7, 4)));
    }
}

TEST_F(AboutDialog, OpensCentredOverItsOwnerAndInsideTheScreen) {
    const QRect screen = owner.screen()->availableGeometry();
    enum Expect { FramesCentred, AtBottomRight, AtTopLeft };
    struct Case {
        const char* name;
        QRect owner;
        Expect expect;
    } cases[] = {
        {"owner on the screen", {40, 30, 700, 500}, FramesCentred},
        {"owner off the bottom right", QRect(screen.bottomRight() - QPoint(300, 200), QSize(700, 500)),
         AtBottomRight},
        {"owner off the top left", QRect(screen.topLeft() - QPoint(600, 400), QSize(700, 500)), AtTopLeft},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        owner.setGeometry(c.owner);
        TFormAbout dialog(&owner);
        dialog.show();
        const QRect frame = dialog.frameGeometry();
        EXPECT_EQ(dialog.size(), QSize(550, 371));
        switch (c.expect) {
        case FramesCentred:
            EXPECT_EQ(frame.center(), owner.frameGeometry().center());
            break;
        case AtBottomRight:
            EXPECT_EQ(frame.bottomRight(), screen.bottomRight());
            break;
        case AtTopLeft:
            EXPECT_EQ(frame.topLeft(), screen.topLeft());
            break;
        }
    }
}

TEST_F(AboutDialog, EveryWayOfClosingEndsTheModalLoopWithCancel) {
    struct Case {
        const char* name;
        std::function<void(TFormAbout&)> close;
    } cases[] = {
        {"Enter", [](TFormAbout& d) { QTest::keyClick(d.focusWidget(), Qt::Key_Return); }},
        {"keypad Enter", [](TFormAbout& d) { QTest::keyClick(d.focusWidget(), Qt::Key_Enter); }},
        {"Esc", [](TFormAbout& d) { QTest::keyClick(d.focusWidget(), Qt::Key_Escape); }},
        {"close box", [](TFormAbout& d) { d.close(); }},
        {"Close button", [](TFormAbout& d) { QTest::mouseClick(d.CloseButton, Qt::LeftButton); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TFormAbout dialog(&owner);
        QTimer::singleShot(0, [&] {
            ASSERT_EQ(dialog.focusWidget(), dialog.CloseButton);
            c.close(dialog);
        });
        // Should a key go astray, the test still ends instead of waiting on the loop.
        QTimer::singleShot(2000, &dialog, [&] { dialog.done(99); });
        EXPECT_EQ(dialog.exec(), QDialog::Rejected);
        EXPECT_FALSE(dialog.isVisible());
    }
}

TEST_F(AboutDialog, TabVisitsTheTwoLinksAndTheCloseButton) {
    TFormAbout dialog(&owner);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    const QList<QWidget*> focusable = {dialog.SiteLabel, dialog.SupportLabel, dialog.CloseButton};
    for (QWidget* child : dialog.findChildren<QWidget*>()) {
        SCOPED_TRACE(child->objectName().toStdString());
        EXPECT_EQ(child->focusPolicy() == Qt::NoFocus, !focusable.contains(child));
    }
    EXPECT_EQ(QApplication::focusWidget(), dialog.CloseButton);
    struct Step {
        Qt::Key key;
        QWidget* next;
    } steps[] = {{Qt::Key_Tab, dialog.SiteLabel},     {Qt::Key_Tab, dialog.SupportLabel},
                 {Qt::Key_Tab, dialog.CloseButton},   {Qt::Key_Backtab, dialog.SupportLabel},
                 {Qt::Key_Backtab, dialog.SiteLabel}, {Qt::Key_Backtab, dialog.CloseButton}};
    for (const Step& step : steps) {
        QTest::keyClick(QApplication::focusWidget(), step.key);
        EXPECT_EQ(QApplication::focusWidget(), step.next) << step.next->objectName().toStdString();
    }
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(AboutDialog, AFocusedLinkShowsItAndOpensWithEnterOrSpace) {
    QStringList opened;
    Shell::setOpener([&](const QString& text, int) {
        opened << Shell::urlFromShellText(text);
        return true;
    });
    TFormAbout dialog(&owner);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    struct Case {
        TLinkLabel* link;
        QString url;
    } cases[] = {{dialog.SiteLabel, ProductConstants::SiteURL},
                 {dialog.SupportLabel, ProductConstants::SupportURL}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.link->objectName().toStdString());
        const QImage unfocused = c.link->grab().toImage();
        c.link->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(c.link->hasFocus());
        const QImage focused = c.link->grab().toImage();
        // The dotted rectangle along the label's edge: every other pixel of its top row changes.
        int changed = 0;
        for (int x = 0; x < focused.width(); ++x)
            changed += focused.pixel(x, 0) != unfocused.pixel(x, 0);
        EXPECT_GE(changed, focused.width() / 2 - 2);

        opened.clear();
        for (auto [key, modifiers] : {std::pair{Qt::Key_Return, Qt::KeyboardModifiers()},
                                      std::pair{Qt::Key_Enter, Qt::KeyboardModifiers(Qt::KeypadModifier)},
                                      std::pair{Qt::Key_Space, Qt::KeyboardModifiers()}})
            QTest::keyClick(c.link, key, modifiers);
        EXPECT_EQ(opened, (QStringList{c.url, c.url, c.url}));
        // Enter went to the link, not to the default Close button.
        EXPECT_TRUE(dialog.isVisible());
    }
}

TEST_F(AboutDialog, ALinkThatCannotBeOpenedSaysSoWithTheAddressAndTheDialogStaysOpen) {
    Shell::setOpener([](const QString&, int) { return false; });
    TFormAbout dialog(&owner);
    dialog.show();
    struct Case {
        TLinkLabel* link;
        QString url;
    } cases[] = {{dialog.SiteLabel, ProductConstants::SiteURL},
                 {dialog.SupportLabel, ProductConstants::SupportURL}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.link->objectName().toStdString());
        QString text;
        Qt::TextInteractionFlags interaction;
        QWidget* boxOwner = nullptr;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            text = box->text();
            interaction = box->textInteractionFlags();
            boxOwner = box->parentWidget();
            box->accept();
        });
        QTest::mouseClick(c.link, Qt::LeftButton, {}, c.link->rect().center());
        EXPECT_TRUE(text.endsWith(u'\n' + c.url)) << text.toStdString();
        EXPECT_TRUE(interaction.testFlag(Qt::TextSelectableByMouse));
        EXPECT_TRUE(interaction.testFlag(Qt::TextSelectableByKeyboard));
        EXPECT_EQ(boxOwner, &dialog);
        EXPECT_TRUE(dialog.isVisible());
    }
}

TEST_F(AboutDialog, ALinkPassesItsUrlToTheShellAndTheDialogStaysOpen) {
    std::vector<std::pair<QString, int>> opened;
    Shell::setOpener([&](const QString& text, int show) {
        opened.emplace_back(text, show);
        return true;
    });
    TFormAbout dialog(&owner);
    dialog.show();

    struct Case {
        TLinkLabel* label;
        QString url;
    } cases[] = {
        {dialog.SiteLabel, ProductConstants::SiteURL},
        {dialog.SupportLabel, ProductConstants::SupportURL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label->objectName().toStdString());
        opened.clear();
        QTest::mouseClick(c.label, Qt::LeftButton, {}, c.label->rect().center());
        ASSERT_EQ(opened.size(), 1u);
        EXPECT_EQ(opened[0].first, c.url);
        EXPECT_EQ(opened[0].second, 1);
        EXPECT_EQ(Shell::urlFromShellText(opened[0].first), c.url);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(c.label->palette().color(QPalette::WindowText), QColor(0, 0, 128));
        EXPECT_TRUE(c.label->font().underline());

        // A press that is dragged off the link before release opens nothing; nor does the right button.
        opened.clear();
        QTest::mousePress(c.label, Qt::LeftButton, {}, c.label->rect().center());
        QTest::mouseRelease(c.label, Qt::LeftButton, {}, QPoint(-5, -5));
        QTest::mouseClick(c.label, Qt::RightButton, {}, c.label->rect().center());
        EXPECT_TRUE(opened.empty());
    }
}

TEST_F(AboutDialog, EachCommandShowsANewDialogAndClearsTheReferenceBeforeDestroyingIt) {
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        QPointer<TFormAbout> shown;
        std::optional<TFormAbout*> referenceAtDestruction;
        QStringList texts;
        runWhileShown([&](TFormAbout& dialog) {
            shown = &dialog;
            EXPECT_TRUE(dialog.isModal());
            EXPECT_EQ(dialog.parentWidget(), &owner);
            texts = {dialog.ProgrammLabel->text(), dialog.VersionLabel->text(), dialog.AuthorLabel->text(),
                     dialog.CloseButton->text()};
            // A change that would show in the next run if the dialog were kept.
            dialog.ProgrammLabel->setText(QStringLiteral("changed"));
            QObject::connect(&dialog, &QObject::destroyed, [&] { referenceAtDestruction = FormAbout; });
            dialog.reject();
        });
        EXPECT_EQ(texts,
                  QStringList({QStringLiteral("Ворнель [light]"), QStringLiteral("Версия программы: 1.13"),
                               QStringLiteral("Copyright: © 2026 Ворнель"), QStringLiteral("Закрыть")}));
        EXPECT_TRUE(shown.isNull()) << "destroyed when the command ends";
        ASSERT_TRUE(referenceAtDestruction.has_value());
        EXPECT_EQ(*referenceAtDestruction, nullptr);
        EXPECT_EQ(FormAbout, nullptr);
    }
}

TEST_F(AboutDialog, AFailedShowingStillClearsTheReferenceAndDestroysTheDialog) {
    QString shownError;
    ErrorReport::setPresenter([&](const QString& text, const QString&) { shownError = text; });
    QPointer<TFormAbout> shown;
    std::optional<TFormAbout*> referenceAtDestruction;
    ErrorReport::guard([&] {
        runAboutCommand(&owner, [&](TFormAbout& dialog) {
            dialog.show();
            shown = &dialog;
            EXPECT_EQ(FormAbout, &dialog);
            QObject::connect(&dialog, &QObject::destroyed, [&] { referenceAtDestruction = FormAbout; });
            throw EPrinter("Printer selected is not valid");
        });
    });
    EXPECT_EQ(shownError, QStringLiteral("Printer selected is not valid."));
    EXPECT_TRUE(shown.isNull());
    ASSERT_TRUE(referenceAtDestruction.has_value());
    EXPECT_EQ(*referenceAtDestruction, nullptr);
    EXPECT_EQ(FormAbout, nullptr);
}

TEST_F(AboutDialog, AnErrorWhileShownReachesTheErrorBoxAndTheDialogGoesOn) {
    QString boxText;
    bool aboutStillShown = false;
    runWhileShown([&](TFormAbout& dialog) {
        // An error from an event handler of the dialog, delivered through the application.
        QTimer::singleShot(0, &dialog, [] { throw EPrinter("Printing in progress"); });
        // The box is modal over the dialog: read it from inside its own loop, then dismiss it.
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            boxText = box->text();
            aboutStillShown = FormAbout == &dialog && dialog.isVisible();
            box->button(QMessageBox::Ok)->click();
            QTimer::singleShot(0, &dialog, &QDialog::reject);
        });
    });
    EXPECT_EQ(boxText, QStringLiteral("Printing in progress."));
    EXPECT_TRUE(aboutStillShown);
    EXPECT_EQ(FormAbout, nullptr);
}

} // namespace
