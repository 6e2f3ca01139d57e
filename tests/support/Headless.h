#pragma once

// The program's executable run as a user's script runs it: no display and no platform chosen, so that it
// shows it needs neither.
#include <QByteArray>
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
    int status = -1; // -1 when it crashed, or did not end by itself within a minute
    QString out;
    QString err;
    QByteArray rawOut; // standard output as written, for what is not text
};

inline Outcome runHeadless(const QString& program, const QStringList& arguments,
                           QProcessEnvironment env = QProcessEnvironment::systemEnvironment()) {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, arguments);
    if (!p.waitForFinished(60000))
        return {};
    const QByteArray out = p.readAllStandardOutput();
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(out),
            QString::fromUtf8(p.readAllStandardError()), out};
}
