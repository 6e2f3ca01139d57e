#pragma once

#include <QByteArray>

// Adds an entry to a finished PDF's document catalogue, such as "/ViewerPreferences << /PrintScaling /None
// >>", which the toolkit's writer has no setting for: as an update appended to the file, the way PDF allows a
// file to be changed without rewriting it. Returns the PDF unchanged when it has no catalogue to be found.
QByteArray withCatalogEntry(const QByteArray& pdf, const QByteArray& entry);
