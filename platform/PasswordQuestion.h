#pragma once

#include <QString>

// A print server's question for a user's password, as the one who answers it sees it.
struct PasswordQuestion {
    QString user;
    QString server;
    // The last password given for this question was not accepted.
    bool notAccepted = false;
};
