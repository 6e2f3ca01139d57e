#include "ui/PasswordDialog.h"

#include "platform/Secret.h"
#include "ui/OnScreen.h"
#include "ui/ProductConstants.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr qsizetype PasswordRoom = 1024;

QString acceptText(PasswordPurpose purpose) {
    switch (purpose) {
    case PasswordPurpose::StartUp:
        return TPasswordDialog::tr("Подключиться");
    case PasswordPurpose::PrinterSettings:
        return TPasswordDialog::tr("Выбрать принтер");
    case PasswordPurpose::Printing:
        break;
    }
    return TPasswordDialog::tr("Печатать");
}

// The action running now, and whether the user cancelled the dialog during it.
struct Asking {
    PasswordAsking* current = nullptr;
    PasswordPurpose purpose = PasswordPurpose::Printing;
    bool cancelled = false;
};

Asking& asking() {
    static Asking a;
    return a;
}

} // namespace

TPasswordDialog::TPasswordDialog(const PasswordQuestion& question, PasswordPurpose purpose, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(tr("%1: пароль для печати").arg(ProductConstants::ProgramName()));
    setModal(true);
    keepOnScreen(*this);

    auto* layout = new QVBoxLayout(this);
    auto* refused = new QLabel(TPasswordDialog::tr("Пароль не принят."), this);
    refused->setObjectName(QStringLiteral("LabelNotAccepted"));
    refused->setVisible(question.notAccepted);
    layout->addWidget(refused);
    auto* text = new QLabel(tr("Сервер печати %1 просит пароль.").arg(question.server), this);
    text->setWordWrap(true);
    layout->addWidget(text);

    auto* form = new QFormLayout;
    EditUser = new QLineEdit(question.user, this);
    EditUser->setObjectName(QStringLiteral("EditUser"));
    form->addRow(TPasswordDialog::tr("Пользователь:"), EditUser);
    EditPassword = new QLineEdit(this);
    EditPassword->setObjectName(QStringLiteral("EditPassword"));
    EditPassword->setEchoMode(QLineEdit::Password);
    // The field starts with room for any password, so typing never moves its text and leaves a part behind
    // in memory freed unzeroed.
    QString room;
    room.reserve(PasswordRoom);
    EditPassword->setText(room);
    form->addRow(TPasswordDialog::tr("Пароль:"), EditPassword);
    layout->addLayout(form);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(acceptText(purpose));
    buttons->button(QDialogButtonBox::Cancel)->setText(TPasswordDialog::tr("Отмена"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    EditPassword->setFocus();
}

QString TPasswordDialog::userName() const {
    return EditUser->text().trimmed();
}

TPasswordDialog::~TPasswordDialog() {
    QString text = emptyPasswordField();
    wipe(text);
}

QString TPasswordDialog::emptyPasswordField() {
    QString text = EditPassword->text();
    // Emptied first, so that the text taken is the only one left to zero.
    EditPassword->setText(QString());
    return text;
}

Secret TPasswordDialog::takePassword() {
    QString text = emptyPasswordField();
    Secret password = Secret::fromText(text);
    wipe(text);
    return password;
}

PasswordAsking::PasswordAsking(PasswordPurpose purpose) : outer_(asking().current) {
    Asking& a = asking();
    // An action inside another (a selection made while printing) is part of it.
    if (outer_)
        return;
    a.current = this;
    a.purpose = purpose;
    a.cancelled = false;
}

PasswordAsking::~PasswordAsking() {
    Asking& a = asking();
    if (a.current == this) {
        a.current = nullptr;
        a.purpose = PasswordPurpose::Printing;
        a.cancelled = false;
    }
}

std::optional<PasswordAnswer> askPrintServerPassword(const PasswordQuestion& question) {
    Asking& a = asking();
    if (a.current && a.cancelled)
        return std::nullopt;
    TPasswordDialog dialog(question, a.purpose, QApplication::activeWindow());
    if (execOnScreen(dialog) != QDialog::Accepted) {
        a.cancelled = true;
        return std::nullopt;
    }
    const QString user = dialog.userName();
    return PasswordAnswer(dialog.takePassword(), user.isEmpty() || user == question.user ? QString() : user);
}
