#pragma once

#include <QDialog>
#include <QString>

#include <optional>

class QLineEdit;

// The print server's question for a password, as a small modal dialog: the user's name is shown, the
// password typed in hidden.
class TPasswordDialog : public QDialog {
public:
    TPasswordDialog(const QString& user, const QString& server, QWidget* parent = nullptr);

    QString password() const;

private:
    QLineEdit* EditPassword;
};

// Asks over the active window; nothing when the user cancels.
std::optional<QString> askPrintServerPassword(const QString& user, const QString& server);
