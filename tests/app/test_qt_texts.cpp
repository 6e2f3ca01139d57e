// Qt's own dialogs and menus speak Russian as the window does, under a locale that is not Russian.
#include <gtest/gtest.h>

#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QString>
#include <QStringList>

#include <memory>

namespace {

TEST(QtTexts, StockDialogsAndMenusAreRussian) {
    ASSERT_NE(QLocale::system().language(), QLocale::Russian);

    // Qt's own save dialog, as «Сохранить в PDF...» opens it where the desktop offers none.
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("lookInLabel"))->text(), QStringLiteral("Перейти к:"));
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("fileNameLabel"))->text(),
              QStringLiteral("&Имя файла:"));
    QStringList buttons;
    for (const QPushButton* button : dialog.findChildren<QPushButton*>())
        buttons << button->text();
    EXPECT_TRUE(buttons.contains(QStringLiteral("&Сохранить"))) << buttons.join(u',').toStdString();
    EXPECT_TRUE(buttons.contains(QStringLiteral("Отмена"))) << buttons.join(u',').toStdString();

    // Its question before a file is replaced.
    QMessageBox question(QMessageBox::Warning, QString(), QString(), QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(question.button(QMessageBox::Yes)->text(), QStringLiteral("&Да"));
    EXPECT_EQ(question.button(QMessageBox::No)->text(), QStringLiteral("&Нет"));

    // A text field's context menu.
    QLineEdit field;
    const std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
    QStringList items;
    for (const QAction* action : menu->actions())
        items << action->text().section(u'\t', 0, 0);
    EXPECT_EQ(items.first(), QStringLiteral("&Отменить действие"));
    EXPECT_EQ(items.last(), QStringLiteral("Выделить всё"));
}

} // namespace
