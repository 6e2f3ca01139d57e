#include "PasswordDialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TPasswordDialog::TPasswordDialog(const QString& user, const QString& server, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Пароль для печати"));
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    auto* question = new QLabel(QStringLiteral("Сервер печати %1 просит пароль.").arg(server), this);
    question->setWordWrap(true);
    layout->addWidget(question);

    auto* form = new QFormLayout;
    auto* userName = new QLabel(user, this);
    userName->setObjectName(QStringLiteral("LabelUser"));
    userName->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form->addRow(QStringLiteral("Пользователь:"), userName);
    EditPassword = new QLineEdit(this);
    EditPassword->setObjectName(QStringLiteral("EditPassword"));
    EditPassword->setEchoMode(QLineEdit::Password);
    form->addRow(QStringLiteral("Пароль:"), EditPassword);
    layout->addLayout(form);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Печатать"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Отмена"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    EditPassword->setFocus();
}

QString TPasswordDialog::password() const {
    return EditPassword->text();
}

std::optional<QString> askPrintServerPassword(const QString& user, const QString& server) {
    TPasswordDialog dialog(user, server, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.password();
}
