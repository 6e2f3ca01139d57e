#pragma once

#include <QString>

class QWidget;

// Tells the user that a web link could not be opened, in a modal box over the window, with the address as
// selectable text to copy into a browser by hand. The window stays as it was.
void tellLinkNotOpened(QWidget* window, const QString& url);

// The box's text for a URL.
QString linkNotOpenedText(const QString& url);
