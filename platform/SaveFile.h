#pragma once

#include <QByteArray>
#include <QString>

// Writes the file whole or not at all where the system allows it: a regular file, or a new name, is replaced
// by a complete temporary file beside it. Anything else (a device, a pipe, a terminal) is never replaced: it
// is written in place, as any program writes there. Throws EFCreateError, or EFWriteError for a failed
// write in place, with the system's reason; a temporary file never stays behind.
// The path is the bytes the system knows the file by: a name that is not in the locale's encoding still
// names its own file.
void saveFileWhole(const QByteArray& path, const QByteArray& bytes);
void saveFileWhole(const QString& path, const QByteArray& bytes);

// Writes to standard output, for a file that goes down a pipe. Throws EFWriteError.
void writeStandardOutput(const QByteArray& bytes);
