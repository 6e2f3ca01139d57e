#pragma once

// The program's executable run as a user's script runs it: no display and no platform chosen, so that it
// shows it needs neither.
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <ostream>

// Messages shown as text when a check fails.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

struct Outcome {
    int status = -1; // -1 when it did not end by itself within a minute
    QString out;
    QString err;
};

inline Outcome runHeadless(const QString& program, const QStringList& arguments,
                           QProcessEnvironment env = QProcessEnvironment::systemEnvironment()) {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, arguments);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return {};
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}
