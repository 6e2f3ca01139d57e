#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

// A print server's question for a user's password, as the one who answers it sees it.
struct PasswordQuestion {
    QString user;
    QString server;
    // The last password given for this question was not accepted.
    bool notAccepted = false;
};

// Who answers: the password as UTF-8, which the caller zeroes once taken; nothing when the user declines.
using PasswordPrompt = std::function<std::optional<QByteArray>(const PasswordQuestion& question)>;
