#pragma once

#include <QString>

#include <functional>

// Show commands the callers pass along with a URL, as the desktop shell knows them.
enum ShowCommand { SW_SHOWNORMAL = 1, SW_SHOW = 5 };

// Hands a text to the desktop to open, with the verb "open".
namespace Shell {

// False when the desktop could not hand the text on: no browser or opener found, or it would not start.
using Opener = std::function<bool(const QString& text, int showCommand)>;

bool open(const QString& text, int showCommand);

// Replaces the desktop opener, for tests; an empty opener restores the desktop's.
void setOpener(Opener opener);

// The URL that a text names, read as the desktop shell reads a file argument: one pair of surrounding
// double quotes is taken off.
QString urlFromShellText(const QString& text);

} // namespace Shell
