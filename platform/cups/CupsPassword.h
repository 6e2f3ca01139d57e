#pragma once

#include <QString>

#include <functional>
#include <optional>

// Passwords the CUPS server asks for. libcups would otherwise ask on the terminal, which a desktop program
// does not have: the prompt is a plain function so that the window layer can ask in a dialog.
namespace CupsPassword {

// Asked with the user name and the server; nothing when the user declines.
using Prompt = std::function<std::optional<QString>(const QString& user, const QString& server)>;

// Puts the program's own answering in place of the terminal's; until a prompt is set, it declines.
void install();
// The prompt for every request of this program from now on.
void setPrompt(Prompt prompt);

// Whether the user declined since the last reset: the request then fails as merely "not authorized".
bool declined();
void resetDeclined();

// The error for a job the user declined to give the password for.
QString declinedText();

} // namespace CupsPassword
