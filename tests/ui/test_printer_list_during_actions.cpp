// Printers the network search finds while a printer action waits for a password: the list holds still until
// the action ends, and the action goes to the printer whose row was chosen.
#include "MainFormHarness.h"
#include "ui/PasswordDialog.h"
#include "ui/PrintButton.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidgetItem>
#include <QMetaObject>
#include <QTest>

namespace {

class PrinterListDuringActions : public MainFormHarness {
protected:
    PrinterListDuringActions() {
        fake.printerList[0].asksPassword = true;
        // Each password question finds printers on the network, handed over as the search hands them, and
        // is answered once they have been delivered.
        fake.passwordPrompt = [this](const PasswordQuestion& question) {
            for (int i = 0; i < 16; ++i) {
                const QString name = QStringLiteral("Сеть %1 (этаж 2)").arg(found++, 2, 10, QLatin1Char('0'));
                QMetaObject::invokeMethod(form.get(), [this, name] { form->networkPrinterFound(name); },
                                          Qt::QueuedConnection);
            }
            QMetaObject::invokeMethod(form.get(), [this] { answerDialog(); }, Qt::QueuedConnection);
            return askPrintServerPassword(question);
        };
    }

    void answerDialog() {
        rowsWhileAsked.push_back(form->ListBoxPrinters->count());
        auto* dialog = dynamic_cast<TPasswordDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QLineEdit*>(QStringLiteral("EditPassword"))->setText(QStringLiteral("secret"));
        dialog->accept();
    }

    QString selectedRow() const {
        const int row = form->ListBoxPrinters->ItemIndex();
        return row >= 0 ? form->ListBoxPrinters->item(row)->text() : QString();
    }

    int found = 0;
    std::vector<int> rowsWhileAsked;
};

TEST_F(PrinterListDuringActions, FindsWaitForTheChoiceAndThePrintAndTheRightPrinterPrints) {
    start();
    TListBox& list = *form->ListBoxPrinters;
    ASSERT_EQ(list.count(), 3);

    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, list.visualItemRect(list.item(0)).center());
    QCoreApplication::processEvents();
    EXPECT_TRUE(reported.isEmpty()) << reported.join(QLatin1Char('\n')).toStdString();
    ASSERT_FALSE(rowsWhileAsked.empty());
    for (int rows : rowsWhileAsked)
        EXPECT_EQ(rows, 3);
    EXPECT_EQ(list.count(), 3 + found);
    EXPECT_EQ(selectedRow(), QStringLiteral("Office"));
    EXPECT_EQ(list.item(printer.PrinterIndex())->text(), QStringLiteral("Office"));

    rowsWhileAsked.clear();
    const int before = list.count();
    QTest::mouseClick(form->BtnPrint, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_TRUE(reported.isEmpty()) << reported.join(QLatin1Char('\n')).toStdString();
    ASSERT_FALSE(rowsWhileAsked.empty());
    for (int rows : rowsWhileAsked)
        EXPECT_EQ(rows, before);
    EXPECT_EQ(list.count(), 3 + found);
    ASSERT_EQ(fake.documents.size(), 1u);
    EXPECT_EQ(fake.documents.back().device, "Office");
    EXPECT_TRUE(fake.documents.back().ended);
    EXPECT_EQ(selectedRow(), QStringLiteral("Office"));
}

} // namespace
