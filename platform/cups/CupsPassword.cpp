#include "CupsPassword.h"

#include "CupsServer.h"

#include <cups/cups.h>

#include <QByteArray>

namespace CupsPassword {
namespace {

struct State {
    Prompt prompt;
    bool declined = false;
    // libcups reads the answer after the callback returns.
    QByteArray answer;
};

State& state() {
    static State s;
    return s;
}

const char* ask(const char*, http_t*, const char*, const char*, void*) {
    State& s = state();
    std::optional<QString> password;
    if (s.prompt)
        password = s.prompt(QString::fromUtf8(cupsUser()), CupsServer::address());
    if (!password) {
        s.declined = true;
        s.answer.clear();
        return nullptr;
    }
    s.answer = password->toUtf8();
    return s.answer.constData();
}

} // namespace

void install() {
    cupsSetPasswordCB2(&ask, nullptr);
}

void setPrompt(Prompt prompt) {
    state().prompt = std::move(prompt);
    install();
}

bool declined() {
    return state().declined;
}

void resetDeclined() {
    state().declined = false;
}

QString declinedText() {
    return QStringLiteral("The print server %1 asked for the password of user %2, and none was given. "
                          "Nothing was printed.")
        .arg(CupsServer::address(), QString::fromUtf8(cupsUser()));
}

} // namespace CupsPassword
