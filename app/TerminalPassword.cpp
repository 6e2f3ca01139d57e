#include "app/TerminalPassword.h"

#include <QCoreApplication>
#include <QScopeGuard>
#include <QString>

#include <termios.h>
#include <unistd.h>

#include <cstdio>

namespace {

bool& declinedThisRun() {
    static bool declined = false;
    return declined;
}

void say(const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
}

// One line from standard input, read straight into memory of its own; nothing at the end of input.
std::optional<Secret> readLine() {
    Secret line;
    char c = 0;
    ssize_t n = 0;
    while ((n = ::read(STDIN_FILENO, &c, 1)) == 1 && c != '\n')
        line.append(c);
    c = 0;
    if (n != 1 && line.empty())
        return std::nullopt;
    return line;
}

} // namespace

std::optional<PasswordAnswer> askOnTerminal(const PasswordQuestion& question) {
    if (declinedThisRun() || !::isatty(STDIN_FILENO)) {
        declinedThisRun() = true;
        return std::nullopt;
    }
    // Echo goes off before the question shows, so nothing typed in answer is ever shown.
    termios shown{};
    const bool quiet = ::tcgetattr(STDIN_FILENO, &shown) == 0;
    if (quiet) {
        termios hidden = shown;
        hidden.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        ::tcsetattr(STDIN_FILENO, TCSANOW, &hidden);
    }
    const auto restore = qScopeGuard([&] {
        if (quiet)
            ::tcsetattr(STDIN_FILENO, TCSANOW, &shown);
        say(QStringLiteral("\n"));
    });
    if (question.notAccepted)
        say(QCoreApplication::translate("TerminalPassword", "Пароль не принят.") + QLatin1Char('\n'));
    say(QCoreApplication::translate("TerminalPassword", "Пароль пользователя %1 для сервера печати %2: ")
            .arg(question.user, question.server));

    std::optional<Secret> password = readLine();
    if (!password || password->empty()) {
        declinedThisRun() = true;
        return std::nullopt;
    }
    return PasswordAnswer(std::move(*password));
}
