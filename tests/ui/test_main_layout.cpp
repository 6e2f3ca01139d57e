// Where the main window's controls sit, at the start and after the window is resized.
#include "MainFormHarness.h"
#include "ui/DockLayout.h"
#include "ui/DockPanel.h"
#include "ui/PrintButton.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace {

QWidget* control(TMainForm& f, const char* name) {
    const QString n = QString::fromLatin1(name);
    if (n == "Preview")
        return f.Preview;
    if (n == "PanelR")
        return f.PanelR;
    if (n == "PanelPrinters")
        return f.PanelPrinters;
    if (n == "ListBoxPrinters")
        return f.ListBoxPrinters;
    if (n == "PanelPrintersHead")
        return f.PanelPrintersHead;
    if (n == "LabelPrintersHead")
        return f.LabelPrintersHead;
    if (n == "PanelTemplates")
        return f.PanelTemplates;
    if (n == "PanelTemplatesHead")
        return f.PanelTemplatesHead;
    if (n == "LabelTemplatesHead")
        return f.LabelTemplatesHead;
    if (n == "ListBoxTemplates")
        return f.ListBoxTemplates;
    if (n == "BtnPrint")
        return f.BtnPrint;
    return nullptr;
}

struct Expected {
    const char* name;
    const char* parent;
    QRect bounds;
};

// Bounds of every control for a client area of w × h.
std::vector<Expected> layoutFor(int w, int h) {
    return {
        {"Preview", "ClientArea", QRect(3, 3, w - 249, h - 6)},
        {"PanelR", "ClientArea", QRect(w - 243, 0, 243, h)},
        {"PanelPrinters", "PanelR", QRect(0, 0, 243, 216)},
        {"ListBoxPrinters", "PanelPrinters", QRect(3, 28, 237, 185)},
        {"PanelPrintersHead", "PanelPrinters", QRect(0, 0, 243, 25)},
        {"LabelPrintersHead", "PanelPrintersHead", QRect(0, 0, 243, 25)},
        {"PanelTemplates", "PanelR", QRect(0, 216, 243, h - 278)},
        {"PanelTemplatesHead", "PanelTemplates", QRect(0, 0, 243, 25)},
        {"LabelTemplatesHead", "PanelTemplatesHead", QRect(0, 0, 243, 25)},
        {"ListBoxTemplates", "PanelTemplates", QRect(3, 28, 237, std::max(0, h - 309))},
        {"BtnPrint", "PanelR", QRect(3, h - 59, 237, 56)},
    };
}

QWidget* parentNamed(TMainForm& f, const char* name) {
    return QString::fromLatin1(name) == "ClientArea" ? f.ClientArea : control(f, name);
}

class MainLayoutTest : public MainFormHarness {};

TEST_F(MainLayoutTest, StartsCentredWithTheDesignLayout) {
    start();
    EXPECT_EQ(form->ClientArea->size(), QSize(800, 399));
    EXPECT_EQ(form->ClientArea->mapTo(form.get(), QPoint(0, 0)).x(), 0);
    const QRect screen = form->screen()->availableGeometry();
    EXPECT_LE(std::abs(form->frameGeometry().center().x() - screen.center().x()), 1);
    EXPECT_LE(std::abs(form->frameGeometry().center().y() - screen.center().y()), 1);
    for (const Expected& e : layoutFor(800, 399)) {
        SCOPED_TRACE(e.name);
        QWidget* w = control(*form, e.name);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->parentWidget(), parentNamed(*form, e.parent));
        EXPECT_EQ(w->geometry(), e.bounds);
    }
}

TEST_F(MainLayoutTest, OnlyThePreviewAndTheTemplateAreaFollowTheWindow) {
    start();
    const QSize sizes[] = {{1000, 399}, {800, 600}, {1200, 700}, {640, 300}, {800, 399}};
    for (QSize s : sizes) {
        SCOPED_TRACE(QStringLiteral("%1x%2").arg(s.width()).arg(s.height()).toStdString());
        setClientSize(s);
        ASSERT_EQ(form->ClientArea->size(), s);
        for (const Expected& e : layoutFor(s.width(), s.height())) {
            SCOPED_TRACE(e.name);
            EXPECT_EQ(control(*form, e.name)->geometry(), e.bounds);
        }
    }
}

TEST_F(MainLayoutTest, TheWindowHasNoMinimumSize) {
    start();
    EXPECT_EQ(form->minimumSize(), QSize(0, 0));
    setClientSize(QSize(120, 40));
    EXPECT_EQ(form->ClientArea->size(), QSize(120, 40));
    EXPECT_EQ(form->Preview->size(), QSize(0, 34));
}

TEST(DockRects, StackTopsThenBottomsThenRightThenFill) {
    struct Case {
        const char* name;
        QSize area;
        std::vector<DockRule> rules;
        std::vector<QRect> expected;
    };
    const Case cases[] = {
        {"fill with margin beside a right column",
         {800, 399},
         {{Dock::Fill, 0, 3}, {Dock::Right, 243, 0}},
         {QRect(3, 3, 551, 393), QRect(557, 0, 243, 399)}},
        {"fill declared before the top it sits under",
         {243, 216},
         {{Dock::Fill, 0, 3}, {Dock::Top, 25, 0}},
         {QRect(3, 28, 237, 185), QRect(0, 0, 243, 25)}},
        {"top, fill and bottom with margin",
         {243, 399},
         {{Dock::Top, 216, 0}, {Dock::Fill, 0, 0}, {Dock::Bottom, 56, 3}},
         {QRect(0, 0, 243, 216), QRect(0, 216, 243, 121), QRect(3, 340, 237, 56)}},
        {"two tops stack in order",
         {100, 100},
         {{Dock::Top, 10, 0}, {Dock::Top, 20, 1}, {Dock::Fill, 0, 0}},
         {QRect(0, 0, 100, 10), QRect(1, 11, 98, 20), QRect(0, 32, 100, 68)}},
        {"fill never goes negative when the edges overlap",
         {200, 50},
         {{Dock::Fill, 0, 3}, {Dock::Right, 243, 0}},
         {QRect(3, 3, 0, 44), QRect(-43, 0, 243, 50)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(dockRects(c.area, c.rules), c.expected);
    }
}

} // namespace
