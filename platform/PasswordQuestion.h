#pragma once

#include "platform/Secret.h"

#include <QString>

#include <functional>
#include <optional>
#include <utility>

// A print server's question for a user's password, as the one who answers it sees it.
struct PasswordQuestion {
    QString user;
    QString server;
    // The last password given for this question was not accepted.
    bool notAccepted = false;
};

// The user's answer: the password as UTF-8, in memory of its own from the moment it is typed, and the user
// it is for when that is not the one asked about (a print account other than the login).
struct PasswordAnswer {
    PasswordAnswer(Secret p, QString u = {}) : password(std::move(p)), user(std::move(u)) {}
    Secret password;
    QString user; // empty: the user asked about
};

// Who answers; nothing when the user declines.
using PasswordPrompt = std::function<std::optional<PasswordAnswer>(const PasswordQuestion& question)>;
