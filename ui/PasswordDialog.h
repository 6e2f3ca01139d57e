#pragma once

#include "platform/PasswordQuestion.h"
#include "platform/Secret.h"

#include <QCoreApplication>
#include <QDialog>
#include <QString>

#include <optional>

class QLineEdit;
class QPushButton;

// What the window is doing when the print server asks for a password; the dialog's OK button says it.
enum class PasswordPurpose { StartUp, PrinterSettings, Printing };

// The print server's question for a password, as a small modal dialog titled with the program's name: the
// server is named, the user's name is given and may be changed (the print account may not be the login),
// the password typed in hidden, and a password the server refused is said to be so.
class TPasswordDialog : public QDialog {
    Q_DECLARE_TR_FUNCTIONS(TPasswordDialog)

public:
    TPasswordDialog(const PasswordQuestion& question, PasswordPurpose purpose, QWidget* parent = nullptr);
    ~TPasswordDialog() override;

    // The password typed, in memory of its own; the field is emptied and its text zeroed as it is taken.
    Secret takePassword();
    QString userName() const;

private:
    QString emptyPasswordField();

    QLineEdit* EditUser;
    QLineEdit* EditPassword;
};

// One thing the user asked the window to do, for as long as it runs: the password dialog names it, and
// once the user cancels the dialog it is not shown again until the next one.
class PasswordAsking {
public:
    explicit PasswordAsking(PasswordPurpose purpose);
    ~PasswordAsking();
    PasswordAsking(const PasswordAsking&) = delete;
    PasswordAsking& operator=(const PasswordAsking&) = delete;

private:
    PasswordAsking* outer_;
};

// Asks over the active window; nothing when the user cancels.
std::optional<PasswordAnswer> askPrintServerPassword(const PasswordQuestion& question);
