// The real windows in the language the user's locale chooses, as the program starts them: Russian exactly as
// the program is written, or English with no Cyrillic letter left. The ctest cases run this program under
// each locale and say which language they expect (VORNEL_EXPECTED_LANGUAGE).
#include "BorrowedPrintSystem.h"
#include "FakePrintSystem.h"
#include "app/ErrorReport.h"
#include "app/TApplication.h"
#include "platform/Errors.h"
#include "platform/PasswordQuestion.h"
#include "platform/cups/CupsPassword.h"
#include "platform/cups/CupsServer.h"
#include "printing/TPrinter.h"
#include "templates/TemplateDispatch.h"
#include "ui/AboutPicture.h"
#include "ui/DlgAbout.h"
#include "ui/Fonts.h"
#include "ui/LinkFailure.h"
#include "ui/LinkLabel.h"
#include "ui/ListBox.h"
#include "ui/Main.h"
#include "ui/PasswordDialog.h"
#include "ui/PreviewView.h"
#include "ui/PrintButton.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QWidget>

#include <exception>
#include <memory>

namespace {

bool english() {
    return qgetenv("VORNEL_EXPECTED_LANGUAGE") == "en";
}

// Every text a window holds that a user or a screen reader meets, each with where it was found.
QStringList textsOf(const QWidget& window) {
    QStringList texts;
    const auto add = [&](const QObject* where, const QString& text) {
        if (!text.isEmpty())
            texts << where->objectName() + QLatin1String(" [") + where->metaObject()->className() +
                         QLatin1String("]: ") + text;
    };
    QList<const QWidget*> widgets{&window};
    for (const QWidget* child : window.findChildren<QWidget*>())
        widgets << child;
    for (const QWidget* w : widgets) {
        add(w, w->windowTitle());
        add(w, w->toolTip());
        add(w, w->accessibleName());
        add(w, w->accessibleDescription());
        if (const auto* label = qobject_cast<const QLabel*>(w))
            add(w, label->text());
        if (const auto* button = qobject_cast<const QAbstractButton*>(w))
            add(w, button->text());
        if (const auto* list = qobject_cast<const QListWidget*>(w))
            for (int row = 0; row < list->count(); ++row) {
                add(w, list->item(row)->text());
                add(w, list->item(row)->toolTip());
            }
        for (const QAction* action : w->actions()) {
            add(action, action->text());
            add(action, action->toolTip());
            if (action->menu())
                add(action, action->menu()->title());
        }
    }
    return texts;
}

void expectNoCyrillic(const QStringList& texts) {
    static const QRegularExpression cyrillic(QStringLiteral("\\p{Cyrillic}"));
    for (const QString& text : texts)
        EXPECT_FALSE(text.contains(cyrillic)) << text.toStdString();
}

// A single line shown whole in a box that wide: nothing cut off, nothing running into its neighbour.
void expectFits(const QString& text, const QFont& font, int width) {
    EXPECT_LE(QFontMetrics(font).horizontalAdvance(text), width) << text.toStdString();
}

// A text in the expected language: Russian as the program is written, or its English.
QString either(const char* russian, const char* inEnglish) {
    return QString::fromUtf8(english() ? inEnglish : russian);
}

class Languages : public testing::Test {
protected:
    Languages() {
        FakePrintSystem::Printer office;
        office.name = QStringLiteral("Office");
        fake.printerList.push_back(office);
        fake.defaultAnswer = DefaultPrinterAnswer::named(QStringLiteral("Office"));
        ErrorReport::setPresenter([this](const QString& text, const QString& caption) {
            reported << text;
            captions << caption;
        });
    }
    ~Languages() override { ErrorReport::setPresenter({}); }

    FakePrintSystem fake;
    TPrinter printer{std::make_unique<BorrowedPrintSystem>(fake)};
    QStringList reported;
    QStringList captions;
};

TEST_F(Languages, MainWindow) {
    TMainForm form(printer);
    const QString previewBeforeChoice = form.Preview->accessibleName();
    form.FormCreate();
    const struct {
        QString shown;
        const char* russian;
        const char* inEnglish;
    } cases[] = {
        {form.windowTitle(), "Ворнель [light] 1.13", "Vornel [light] 1.13"},
        {form.LabelPrintersHead->text(), "Выбор принтера", "Choose a printer"},
        {form.LabelTemplatesHead->text(), "Выбор шаблона печати", "Choose a print template"},
        {form.ListBoxTemplates->item(0)->text(), "Черный конверт, сплошные линии",
         "Black envelope, solid lines"},
        {form.ListBoxTemplates->item(1)->text(), "Черный конверт, центр пунктир",
         "Black envelope, dashed centre"},
        {form.ListBoxTemplates->item(2)->text(), "Черный конверт, линии точки",
         "Black envelope, dotted lines"},
        {form.BtnPrint->text(), "Печать", "Print"},
        {form.MenuFile->title(), "Файл", "File"},
        {form.MenuPrint->text(), "Печать", "Print"},
        {form.MenuSavePdf->text(), "Сохранить в PDF...", "Save as PDF..."},
        {form.MenuExit->text(), "Выход", "Exit"},
        {form.MenuHelp->title(), "Справка", "Help"},
        {form.MenuSite->text(), "Сайт программы", "Program website"},
        {form.MenuSupport->text(), "Поддержка", "Support"},
        {form.MenuAbout->text(), "О программе", "About"},
        {previewBeforeChoice, "Предпросмотр конверта: шаблон не выбран",
         "Envelope preview: no template chosen"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.shown.toStdString(), either(c.russian, c.inEnglish).toStdString());
    if (english())
        expectNoCyrillic(textsOf(form));

    // At the window's design size, every heading and caption fits its box.
    form.show();
    QCoreApplication::processEvents();
    for (const QLabel* heading : {form.LabelPrintersHead, form.LabelTemplatesHead})
        expectFits(heading->text(), heading->font(), heading->contentsRect().width());
    for (int row = 0; row < form.ListBoxTemplates->count(); ++row)
        expectFits(form.ListBoxTemplates->item(row)->text(), form.ListBoxTemplates->font(),
                   form.ListBoxTemplates->viewport()->width() - 2);
}

TEST_F(Languages, AboutDialog) {
    TFormAbout dialog(nullptr);
    const struct {
        QString shown;
        const char* russian;
        const char* inEnglish;
    } cases[] = {
        {dialog.windowTitle(), "О программе...", "About..."},
        {dialog.ProgrammLabel->text(), "Ворнель [light]", "Vornel [light]"},
        {dialog.VersionLabel->text(), "Версия программы: 1.13", "Program version: 1.13"},
        {dialog.AuthorLabel->text(), "Copyright: © 2026 Ворнель", "Copyright: © 2026 Vornel"},
        {dialog.SiteLabel->text(), "Сайт программы", "Program website"},
        {dialog.SupportLabel->text(), "Техническая поддержка", "Technical support"},
        {dialog.CloseButton->text(), "Закрыть", "Close"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.shown.toStdString(), either(c.russian, c.inEnglish).toStdString());
    EXPECT_TRUE(dialog.InfoLabel->text().startsWith(either("Ворнель - современная", "Vornel is a modern")));
    // The picture's header carries the name and a line in the same language; both pictures are built in.
    EXPECT_EQ(AboutPicture::shownPath(), either(":/about/AboutPicture.bin", ":/about/AboutPicture.en.bin"));
    EXPECT_EQ(AboutPicture::load().size(), QSize(AboutPicture::Width, AboutPicture::Height));
    if (english())
        expectNoCyrillic(textsOf(dialog));

    // The fixed boxes hold their texts: the links on one line, the description within its lines.
    for (const QLabel* link :
         {static_cast<QLabel*>(dialog.SiteLabel), static_cast<QLabel*>(dialog.SupportLabel)})
        expectFits(link->text(), link->font(), link->width());
    expectFits(dialog.CloseButton->text(), dialog.CloseButton->font(), dialog.CloseButton->width() - 16);
    const QRect description = QFontMetrics(dialog.InfoLabel->font())
                                  .boundingRect(QRect(0, 0, dialog.InfoLabel->width(), 1000),
                                                Qt::TextWordWrap, dialog.InfoLabel->text());
    EXPECT_LE(description.height(), dialog.InfoLabel->height());
}

TEST_F(Languages, PasswordDialog) {
    for (const PasswordPurpose purpose :
         {PasswordPurpose::StartUp, PasswordPurpose::PrinterSettings, PasswordPurpose::Printing}) {
        TPasswordDialog dialog({QStringLiteral("alice"), QStringLiteral("print.example:631"), true}, purpose);
        const QStringList texts = textsOf(dialog);
        EXPECT_EQ(dialog.windowTitle(), either("Ворнель [light]: пароль для печати", "Vornel [light]: password for printing"));
        EXPECT_TRUE(texts
                        .filter(either("Сервер печати print.example:631 просит пароль.",
                                       "The print server print.example:631 asks for a password."))
                        .size() == 1)
            << texts.join(u'\n').toStdString();
        if (english())
            expectNoCyrillic(texts);
    }
}

// The error box's caption and the program's own lines; the print system's own texts stay as they stand.
TEST_F(Languages, ErrorTexts) {
    ErrorReport::show(std::make_exception_ptr(EPrinter(PrinterMessages::NoDefaultPrinter)));
    try {
        requireTemplate(-1);
    } catch (...) {
        ErrorReport::show(std::current_exception());
    }
    EXPECT_EQ(reported, (QStringList{QStringLiteral("There is no default printer currently selected."),
                                     either("Не выбран шаблон печати.", "No print template is chosen.")}));
    EXPECT_EQ(captions, QStringList(2, either("Ворнель", "Vornel")));

    qputenv("CUPS_SERVER", "127.0.0.1:9");
    EXPECT_EQ(CupsServer::unavailableText(), either("Сервер печати 127.0.0.1:9 недоступен.",
                                                    "The print server 127.0.0.1:9 is not available."));
    const QStringList own{CupsPassword::declinedText(),
                          linkNotOpenedText(QStringLiteral("http://vornel.example"))};
    if (english())
        expectNoCyrillic(own);
    else
        for (const QString& text : own)
            EXPECT_TRUE(text.startsWith(QStringLiteral("Сервер печати")) ||
                        text.startsWith(QStringLiteral("Не удалось открыть ссылку")))
                << text.toStdString();
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication app(argc, argv);
    registerApplicationFonts();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
