#pragma once

#include <QString>

// Opens a URL from the main window's Help menu.
void ShellOpen(const QString& url);
