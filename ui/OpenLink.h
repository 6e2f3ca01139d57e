#pragma once

#include <QString>

class QWidget;

// Opens a web link in the user's browser; when the desktop can't, tells the user in a box over window, with
// the address to copy by hand.
void openLink(QWidget* window, const QString& url);
