#pragma once

#include <QString>

// Opens a URL from the main window's Help menu; false when the desktop could not open it.
bool ShellOpen(const QString& url);
