#pragma once

#include "platform/PasswordQuestion.h"

// The password dialog, asked from whichever thread the print server's question came on: it is shown on the
// user-interface thread while the asking thread waits for the answer.
std::optional<PasswordAnswer> askPrintServerPasswordOnUiThread(const PasswordQuestion& question);
