#pragma once

#include <QByteArray>
#include <QString>

// Writes the file whole or not at all: the bytes go to a temporary file beside it, which then replaces it.
// Throws EFCreateError with the system's reason; nothing is left behind then.
void saveFileWhole(const QString& path, const QByteArray& bytes);
