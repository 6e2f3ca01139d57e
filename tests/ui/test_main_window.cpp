// The main window's controls, their look, the menu, the keyboard and what each event starts.
#include "MainFormHarness.h"
#include "platform/Shell.h"
#include "templates/TemplateDispatch.h"
#include "ui/MenuStyle.h"
#include "ui/ProductConstants.h"
#include "ui/PrintButton.h"
#include "ui/TemplateListDelegate.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFontInfo>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <QToolTip>

namespace {

class MainWindowTest : public MainFormHarness {
protected:
    ~MainWindowTest() override { Shell::setOpener({}); }

    void activate() {
        QApplication::setActiveWindow(form.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
};

// Counts the pixels of a colour inside a rectangle of an image.
int countColour(const QImage& image, const QRect& area, QRgb colour) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += image.pixel(x, y) == colour;
    return n;
}

TEST_F(MainWindowTest, CaptionListsAndFonts) {
    start();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Ворнель [light] 1.13"));
    EXPECT_FALSE(form->windowIcon().isNull());

    const QStringList printers = {QStringLiteral("Office"), QStringLiteral("Label"), QStringLiteral("PDF")};
    ASSERT_EQ(form->ListBoxPrinters->count(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(form->ListBoxPrinters->item(i)->text(), printers[i]);
    EXPECT_EQ(form->ListBoxPrinters->ItemIndex(), 1);
    EXPECT_EQ(printer.PrinterIndex(), 1);

    ASSERT_EQ(form->ListBoxTemplates->count(), 3);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(form->ListBoxTemplates->item(i)->text(), templateCaptions()[i]);
        EXPECT_EQ(form->ListBoxTemplates->visualItemRect(form->ListBoxTemplates->item(i)).height(), 24);
    }

    EXPECT_EQ(form->LabelPrintersHead->text(), QStringLiteral("Выбор принтера"));
    EXPECT_EQ(form->LabelTemplatesHead->text(), QStringLiteral("Выбор шаблона печати"));
    for (QLabel* label : {form->LabelPrintersHead, form->LabelTemplatesHead}) {
        EXPECT_EQ(label->alignment(), Qt::AlignCenter);
        EXPECT_TRUE(QFontInfo(label->font()).bold());
        EXPECT_EQ(QFontInfo(label->font()).pixelSize(), 13);
    }
    EXPECT_EQ(form->BtnPrint->text(), QStringLiteral("Печать"));

    if (!QFile::exists(QStringLiteral("/usr/share/wine/fonts/tahoma.ttf")))
        GTEST_SKIP() << "Tahoma is not installed here";
    for (QWidget* w : {static_cast<QWidget*>(form.get()), static_cast<QWidget*>(form->ListBoxTemplates),
                       static_cast<QWidget*>(form->BtnPrint), static_cast<QWidget*>(form->LabelTemplatesHead)}) {
        SCOPED_TRACE(w->metaObject()->className());
        EXPECT_EQ(QFontInfo(w->font()).family(), QStringLiteral("Tahoma"));
        EXPECT_EQ(QFontInfo(w->font()).pixelSize(), 13);
    }
}

TEST_F(MainWindowTest, TemplateRowsAreDrawnWithTheirStateColours) {
    start();
    TListBox* list = form->ListBoxTemplates;
    const QPalette palette = list->palette();
    const QImage rows = list->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    struct Case {
        int row;
        QRgb background;
        QRgb text;
    };
    const Case cases[] = {
        {0, palette.color(QPalette::Highlight).rgb(), palette.color(QPalette::HighlightedText).rgb()},
        {1, palette.color(QPalette::Base).rgb(), palette.color(QPalette::Text).rgb()},
        {2, palette.color(QPalette::Base).rgb(), palette.color(QPalette::Text).rgb()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        const QRect r = list->visualItemRect(list->item(c.row));
        EXPECT_EQ(rows.pixel(r.right() - 4, r.center().y()), c.background);
        EXPECT_GT(countColour(rows, r.adjusted(1, 1, -1, -1), c.text), 20);
    }
    const int belowRows = 3 * TemplateListDelegate::RowHeight + 4;
    EXPECT_EQ(rows.pixel(rows.width() / 2, belowRows), palette.color(QPalette::Base).rgb());
}

TEST_F(MainWindowTest, TemplateRowTextFollowsTheReadingDirection) {
    start();
    TListBox* list = form->ListBoxTemplates;
    const QRect row = list->visualItemRect(list->item(1));
    for (Qt::LayoutDirection direction : {Qt::LeftToRight, Qt::RightToLeft}) {
        SCOPED_TRACE(direction);
        list->setLayoutDirection(direction);
        const QImage rows = list->viewport()->grab().toImage();
        const QRect text = darkBounds(rows, row);
        ASSERT_FALSE(text.isEmpty());
        if (direction == Qt::LeftToRight)
            EXPECT_LE(text.left() - row.left(), 2);
        else
            EXPECT_LE(row.right() - text.right(), 2);
    }
}

TEST_F(MainWindowTest, PrintButtonCentresItsPictureAndCaptionAndShiftsThemWhilePressed) {
    start();
    PrintButton* button = form->BtnPrint;
    const int captionWidth = button->fontMetrics().horizontalAdvance(button->text());
    const int groupLeft = (237 - (48 + PrintButton::Spacing + captionWidth)) / 2;
    for (bool down : {false, true}) {
        SCOPED_TRACE(down);
        button->setDown(down);
        const int shift = down ? 1 : 0;
        EXPECT_EQ(button->pictureRect(), QRect(groupLeft + shift, 4 + shift, 48, 48));
        EXPECT_EQ(button->captionRect().left(), groupLeft + 48 + PrintButton::Spacing + shift);
        EXPECT_EQ(button->captionRect().width(), captionWidth);
    }
    button->setDown(false);
}

TEST_F(MainWindowTest, MenuItemsInOrderWithTheirImages) {
    start();
    const QList<QAction*> bar = form->menuBar()->actions();
    ASSERT_EQ(bar.size(), 2);
    EXPECT_EQ(bar[0], form->MenuFile->menuAction());
    EXPECT_EQ(bar[1], form->MenuHelp->menuAction());
    EXPECT_EQ(form->MenuFile->title(), QStringLiteral("Файл"));
    EXPECT_EQ(form->MenuHelp->title(), QStringLiteral("Справка"));

    struct Item {
        QAction* action;
        QString caption; // empty for a separator
        int image;       // -1 for none
    };
    const std::vector<std::pair<QMenu*, std::vector<Item>>> menus = {
        {form->MenuFile,
         {{form->MenuPrint, QStringLiteral("Печать"), 1},
          {form->MenuSavePdf, QStringLiteral("Сохранить в PDF..."), 4},
          {form->MenuCalibrate, QStringLiteral("Калибровка принтера..."), -1},
          {form->MenuFileSeparator, {}, -1},
          {form->MenuExit, QStringLiteral("Выход"), -1}}},
        {form->MenuHelp,
         {{form->MenuSite, QStringLiteral("Сайт программы"), 3},
          {form->MenuSupport, QStringLiteral("Поддержка"), 2},
          {form->MenuHelpSeparator, {}, -1},
          {form->MenuAbout, QStringLiteral("О программе"), 0}}},
    };
    ASSERT_EQ(form->ImageList24.size(), 5);
    for (const QIcon& image : form->ImageList24) {
        const QImage pixels = image.pixmap(24, 24).toImage();
        EXPECT_EQ(pixels.size(), QSize(24, 24));
        EXPECT_TRUE(pixels.hasAlphaChannel());
    }
    for (const auto& [menu, items] : menus) {
        SCOPED_TRACE(menu->title().toStdString());
        ASSERT_EQ(menu->actions().size(), int(items.size()));
        EXPECT_EQ(menu->style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, menu), MenuStyle::ImageSize);
        for (std::size_t i = 0; i < items.size(); ++i) {
            const Item& item = items[i];
            SCOPED_TRACE(i);
            EXPECT_EQ(menu->actions()[int(i)], item.action);
            EXPECT_EQ(item.action->isSeparator(), item.caption.isEmpty());
            EXPECT_EQ(item.action->text(), item.caption);
            EXPECT_TRUE(item.action->shortcut().isEmpty());
            EXPECT_FALSE(item.action->text().contains(QLatin1Char('&')));
            if (item.image < 0) {
                EXPECT_TRUE(item.action->icon().isNull());
            } else {
                EXPECT_EQ(item.action->icon().cacheKey(), form->ImageList24[item.image].cacheKey());
                EXPECT_GE(menu->actionGeometry(item.action).height(), 24);
            }
        }
    }
}

TEST_F(MainWindowTest, HelpLinksOpenTheProductUrls) {
    QStringList opened;
    Shell::setOpener([&](const QString& text, int) {
        opened.append(text);
        return true;
    });
    start();
    struct Case {
        QAction* TMainForm::*item;
        QString url;
    };
    const Case cases[] = {{&TMainForm::MenuSite, ProductConstants::SiteURL},
                          {&TMainForm::MenuSupport, ProductConstants::SupportURL}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url.toStdString());
        opened.clear();
        ((*form).*c.item)->trigger();
        QCoreApplication::processEvents();
        EXPECT_EQ(opened, QStringList{c.url});
    }
}

TEST_F(MainWindowTest, ExitClosesTheWindowAndEndsTheMessageLoop) {
    start();
    QTimer::singleShot(0, form->MenuExit, &QAction::trigger);
    QTimer stuck;
    stuck.setSingleShot(true);
    QObject::connect(&stuck, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    stuck.start(5000);
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_FALSE(form->isVisible());
}

TEST_F(MainWindowTest, AboutOpensModallyOverTheWindow) {
    start();
    QString modalClass;
    bool ownedByForm = false;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        modalClass = QString::fromLatin1(modal->metaObject()->className());
        ownedByForm = modal->parentWidget() == form.get();
        closer.stop();
        modal->close();
    });
    closer.start(10);
    form->MenuAbout->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(modalClass, QStringLiteral("TFormAbout"));
    EXPECT_TRUE(ownedByForm);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(MainWindowTest, ButtonAndMenuPrintTheSelectedTemplateOnTheCurrentPrinter) {
    struct Case {
        const char* name;
        std::function<void(TMainForm&)> command;
    };
    const Case cases[] = {
        {"button", [](TMainForm& f) { QTest::mouseClick(f.BtnPrint, Qt::LeftButton); }},
        {"menu", [](TMainForm& f) { f.MenuPrint->trigger(); }},
    };
    start();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::size_t before = fake.documents.size();
        c.command(*form);
        QCoreApplication::processEvents();
        ASSERT_EQ(fake.documents.size(), before + 1);
        EXPECT_EQ(fake.documents.back().device, "Label");
        EXPECT_FALSE(fake.documents.back().runs.empty());
        EXPECT_TRUE(reported.isEmpty());
    }
}

// Records the pointer shape each time the print job asks for a device context.
class PointerWatch : public BorrowedPrintSystem {
public:
    using BorrowedPrintSystem::BorrowedPrintSystem;
    std::unique_ptr<DeviceContext> createPrintContext(const QString& device,
                                            const DocumentSettings& settings) override {
        const QCursor* cursor = QGuiApplication::overrideCursor();
        shapes.push_back(cursor ? cursor->shape() : Qt::ArrowCursor);
        return BorrowedPrintSystem::createPrintContext(device, settings);
    }
    std::vector<Qt::CursorShape> shapes;
};

TEST_F(MainWindowTest, PrintShowsTheBusyPointerAndAlwaysRestoresIt) {
    struct Case {
        const char* name;
        bool refused;
    };
    for (const Case& c : {Case{"printed", false}, Case{"refused by the print system", true}}) {
        SCOPED_TRACE(c.name);
        if (c.refused)
            fake.refuseEndDoc = "The printer is out of order";
        auto watch = std::make_unique<PointerWatch>(fake);
        PointerWatch& seen = *watch;
        TPrinter watched(std::move(watch));
        TMainForm f(watched);
        f.FormCreate();
        if (c.refused)
            EXPECT_ANY_THROW(f.BtnPrintClick());
        else
            f.BtnPrintClick();
        EXPECT_EQ(seen.shapes, std::vector<Qt::CursorShape>{Qt::WaitCursor});
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
}

TEST_F(MainWindowTest, HandlerErrorsReachTheErrorReport) {
    fake.defaultAnswer = DefaultPrinterAnswer::none();
    start();
    // The failed start-up left no template selected either; with one chosen, the missing printer is what
    // stops the print.
    form->ListBoxTemplates->setItemIndex(0);
    const QString noDefault = QStringLiteral("There is no default printer currently selected.");
    struct Case {
        const char* name;
        std::function<void(TMainForm&)> command;
        QString message;
    };
    const Case cases[] = {
        {"button", [](TMainForm& f) { QTest::mouseClick(f.BtnPrint, Qt::LeftButton); }, noDefault},
        {"menu", [](TMainForm& f) { f.MenuPrint->trigger(); }, noDefault},
        {"release over the printer list's empty part, no printer current",
         [](TMainForm& f) {
             QWidget* rows = f.ListBoxPrinters->viewport();
             QTest::mouseClick(rows, Qt::LeftButton, {}, QPoint(10, rows->height() - 5));
         },
         noDefault},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reported.clear();
        c.command(*form);
        QCoreApplication::processEvents();
        EXPECT_EQ(reported, QStringList{c.message});
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
}

TEST_F(MainWindowTest, MouseReleaseOverThePrinterListMakesItsRowCurrent) {
    start();
    TListBox* list = form->ListBoxPrinters;
    auto clickRow = [&](Qt::MouseButton button, int row) {
        QTest::mouseClick(list->viewport(), button, {}, list->visualItemRect(list->item(row)).center());
    };
    clickRow(Qt::LeftButton, 2);
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_EQ(printer.PrinterIndex(), 2);
    // The arrow keys make their row current at once, and so does the next release of any button, anywhere.
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_EQ(printer.PrinterIndex(), 1);
    struct Case {
        Qt::MouseButton button;
        int clickedRow;
    };
    for (const Case& c : {Case{Qt::RightButton, 0}, Case{Qt::MiddleButton, 2}}) {
        SCOPED_TRACE(c.button);
        clickRow(c.button, c.clickedRow); // only the left button selects
        EXPECT_EQ(list->ItemIndex(), 1);
        EXPECT_EQ(printer.PrinterIndex(), 1);
    }
    // A click that deselects on other lists leaves the row selected here.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      list->visualItemRect(list->item(1)).center());
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_EQ(printer.PrinterIndex(), 1);
}

TEST_F(MainWindowTest, TabCyclesThePrinterListTheTemplateListAndTheButton) {
    start();
    activate();
    EXPECT_EQ(QApplication::focusWidget(), form->ListBoxPrinters);
    const QWidget* cycle[] = {form->ListBoxTemplates, form->BtnPrint, form->ListBoxPrinters,
                              form->ListBoxTemplates};
    for (const QWidget* next : cycle) {
        SCOPED_TRACE(next->metaObject()->className());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next);
    }
}

TEST_F(MainWindowTest, EnterOrSpacePressesTheFocusedPrintButton) {
    start();
    activate();
    form->BtnPrint->setFocus(Qt::TabFocusReason);
    struct Case {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        bool prints;
    } cases[] = {
        {"Return", Qt::Key_Return, {}, true}, {"keypad Enter", Qt::Key_Enter, Qt::KeypadModifier, true},
        {"Space", Qt::Key_Space, {}, true},   {"Ctrl+Return", Qt::Key_Return, Qt::ControlModifier, false},
        {"a letter", Qt::Key_P, {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::size_t before = fake.documents.size();
        QTest::keyClick(form->BtnPrint, c.key, c.modifiers);
        QCoreApplication::processEvents();
        EXPECT_EQ(fake.documents.size(), before + (c.prints ? 1 : 0));
    }
    // A held key repeats its press; the button prints once.
    const std::size_t before = fake.documents.size();
    QTest::keyPress(form->BtnPrint, Qt::Key_Return);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(form->BtnPrint, &repeat);
    QTest::keyRelease(form->BtnPrint, Qt::Key_Return);
    EXPECT_EQ(fake.documents.size(), before + 1);
    EXPECT_TRUE(reported.isEmpty());
}

// Pixels of the colour on the top edge of a rectangle, every other one as the dotted focus rectangle has.
int dottedTopEdge(const QImage& image, const QRect& r, QRgb colour) {
    int n = 0;
    for (int x = r.left(); x <= r.right(); x += 2)
        n += image.pixel(x, r.top()) == colour;
    return n;
}

TEST_F(MainWindowTest, TheFocusedControlAlwaysShowsAFocusRectangle) {
    struct Case {
        const char* name;
        bool printers;
        bool withDefault;
        int downs;
        int row; // the row with the caret, -1 for the first row's place when there is none
        bool selected;
    };
    const Case cases[] = {
        {"at start, the default printer selected", true, true, 0, 1, true},
        {"after an arrow key", true, true, 1, 2, true},
        {"no default, so no row selected", true, false, 0, -1, false},
        {"no default, then an arrow key", true, false, 1, 0, true},
        {"no printer installed", false, true, 0, -1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fake.printerList.clear();
        if (c.printers)
            for (const char* name : {"Office", "Label", "PDF"})
                fake.printerList.push_back(printerNamed(name));
        fake.defaultAnswer = c.withDefault ? DefaultPrinterAnswer::named(QStringLiteral("Label"))
                                           : DefaultPrinterAnswer::none();
        // A printer object of its own, since it reads the list once.
        TPrinter own(std::make_unique<BorrowedPrintSystem>(fake));
        form = std::make_unique<TMainForm>(own);
        ErrorReport::guard([&] { form->FormCreate(); });
        form->showFirst();
        activate();
        TListBox* list = form->ListBoxPrinters;
        for (int i = 0; i < c.downs; ++i)
            QTest::keyClick(list, Qt::Key_Down);
        ASSERT_TRUE(list->hasFocus());
        const QPalette palette = list->palette();
        const QRgb colour = palette.color(c.selected ? QPalette::HighlightedText : QPalette::Text).rgb();
        const QRect rowRect = c.row >= 0
                                  ? list->visualItemRect(list->item(c.row))
                                  : QRect(0, 0, list->viewport()->width(), list->fontMetrics().height());
        const QImage rows = list->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        EXPECT_GE(dottedTopEdge(rows, rowRect, colour), rowRect.width() / 2 - 2);
        form.reset();
    }

    start();
    activate();
    for (QWidget* control :
         {static_cast<QWidget*>(form->ListBoxTemplates), static_cast<QWidget*>(form->BtnPrint)}) {
        SCOPED_TRACE(control->metaObject()->className());
        control->setFocus(Qt::OtherFocusReason);
        const QImage focused = control->grab().toImage().convertToFormat(QImage::Format_RGB32);
        form->ListBoxPrinters->setFocus(Qt::OtherFocusReason);
        const QImage unfocused = control->grab().toImage().convertToFormat(QImage::Format_RGB32);
        int changed = 0;
        for (int y = 0; y < focused.height(); ++y)
            for (int x = 0; x < focused.width(); ++x)
                changed += focused.pixel(x, y) != unfocused.pixel(x, y);
        // At least a dotted line along each long side.
        EXPECT_GE(changed, focused.width() - 20);
    }
}

TEST_F(MainWindowTest, APrinterRowsTooltipIsItsFullName) {
    fake.printerList = {printerNamed("Accounting_Floor3_Colour_Laser_Duplex_Tray1"),
                        printerNamed("Accounting_Floor3_Colour_Laser_Duplex_Tray2"), printerNamed("PDF")};
    fake.defaultAnswer = DefaultPrinterAnswer::named(QStringLiteral("PDF"));
    start();
    activate();
    TListBox* list = form->ListBoxPrinters;
    for (int row = 0; row < list->count(); ++row) {
        SCOPED_TRACE(row);
        const QString name = fake.printerList[row].name;
        EXPECT_EQ(list->item(row)->toolTip(), name);
        // As the user gets it: the pointer resting on the row brings up the tooltip.
        const QPoint at = list->visualItemRect(list->item(row)).center();
        QHelpEvent help(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
        QApplication::sendEvent(list->viewport(), &help);
        EXPECT_EQ(QToolTip::text(), name);
        QToolTip::hideText();
    }
}

TEST_F(MainWindowTest, AHelpLinkThatCannotBeOpenedSaysSoWithTheAddress) {
    bool opens = false;
    Shell::setOpener([&](const QString&, int) { return opens; });
    start();
    struct Case {
        QAction* TMainForm::*item;
        QString url;
        bool opens;
    };
    const Case cases[] = {{&TMainForm::MenuSite, ProductConstants::SiteURL, false},
                          {&TMainForm::MenuSupport, ProductConstants::SupportURL, false},
                          {&TMainForm::MenuSite, ProductConstants::SiteURL, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url.toStdString() + (c.opens ? " opens" : " fails"));
        opens = c.opens;
        QString text;
        Qt::TextInteractionFlags interaction;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                text = box->text();
                interaction = box->textInteractionFlags();
                box->accept();
            }
        });
        watch.start(10);
        ((*form).*c.item)->trigger();
        // The command runs from the event loop; give the box time to come and go.
        QTest::qWait(200);
        if (c.opens) {
            EXPECT_TRUE(text.isEmpty());
        } else {
            EXPECT_TRUE(text.endsWith(u'\n' + c.url)) << text.toStdString();
            EXPECT_TRUE(interaction.testFlag(Qt::TextSelectableByMouse));
        }
        EXPECT_TRUE(reported.isEmpty());
        EXPECT_TRUE(form->isVisible());
    }
}

TEST_F(MainWindowTest, ThePreviewIsNamedAfterTheChosenTemplate) {
    start();
    const QString prefix = QStringLiteral("Предпросмотр конверта: ");
    EXPECT_EQ(form->Preview->accessibleName(), prefix + templateCaptions()[0]);
    QTest::keyClick(form->ListBoxTemplates, Qt::Key_End);
    EXPECT_EQ(form->Preview->accessibleName(), prefix + templateCaptions()[2]);
    EXPECT_EQ(form->ListBoxPrinters->accessibleName(), form->LabelPrintersHead->text());
    EXPECT_EQ(form->LabelPrintersHead->buddy(), form->ListBoxPrinters);
    EXPECT_EQ(form->ListBoxTemplates->accessibleName(), form->LabelTemplatesHead->text());
    EXPECT_EQ(form->LabelTemplatesHead->buddy(), form->ListBoxTemplates);
}

} // namespace
