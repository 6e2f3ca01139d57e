#pragma once

#include <QByteArray>
#include <QString>

// A file of the program's own in the user's configuration folder: $XDG_CONFIG_HOME/vornel, by default
// ~/.config/vornel. Nothing is written there until the user saves something.
namespace ConfigFile {

QString path(const QString& name);

struct Read {
    enum class Kind { Missing, Read, Failed };
    Kind kind = Kind::Missing;
    QByteArray bytes;
    QString reason; // with Failed: the system's words
};
Read read(const QString& name);

// Replaces the file whole, making the folder if need be. Throws EFCreateError with the system's reason.
void write(const QString& name, const QByteArray& bytes);
// Removes the file; a file already gone is no failure. Throws EFCreateError.
void remove(const QString& name);

} // namespace ConfigFile
