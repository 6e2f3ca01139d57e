#pragma once

#include "platform/PasswordQuestion.h"

#include <optional>

// The command line's answer to the print server's question for a password: asked on the terminal, with
// nothing echoed, when standard input is one. Without a terminal, or once the user has declined (an empty
// line or end of input), it declines at once, so a script never waits.
std::optional<PasswordAnswer> askOnTerminal(const PasswordQuestion& question);
