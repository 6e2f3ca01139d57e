#include "platform/cups/CupsPassword.h"

#include "platform/Secret.h"
#include "platform/cups/CupsServer.h"

#include <QCoreApplication>

#include <optional>

namespace CupsPassword {
namespace {

// The password last given for a server and user, and the connection it was last given to. `user` is the
// one libcups asked about; `account` the one the password is for, which the user may have typed instead.
struct Given {
    QString server;
    QString user;
    QString account;
    Secret password;
    http_t* connection = nullptr;
};

// One thread at a time: the start's, then the user-interface thread once the start's value is handed over
// (the future orders the two), and a job's thread while the user-interface thread waits for it (its start and
// end order them); the network search asks the server nothing.
struct State {
    Prompt prompt;
    bool declined = false;
    std::optional<Given> given;
    // The connection whose request sends the answer itself, and whether it has one to send.
    http_t* answeringHere = nullptr;
    bool answerWaiting = false;
};

State& state() {
    static State s;
    return s;
}

thread_local PromptRelay::Relay relay;

// The given password, to libcups or, for a request that sends it itself, kept for it. libcups sends it as
// its current user's: for this thread that is the account it is for from now on.
const char* answer(State& s, http_t* http) {
    const QByteArray account = s.given->account.toUtf8();
    if (account != cupsUser())
        cupsSetUser(account.constData());
    if (http == s.answeringHere) {
        s.answerWaiting = true;
        return nullptr;
    }
    return s.given->password.c_str();
}

const char* ask(const char*, http_t* http, const char*, const char*, void*) {
    State& s = state();
    const QString server = CupsServer::address();
    const QString user = QString::fromUtf8(cupsUser());
    bool notAccepted = false;
    if (s.given && s.given->server == server && (s.given->user == user || s.given->account == user)) {
        // libcups asks again on a connection only when the server refused what it was given.
        if (s.given->connection != http) {
            s.given->connection = http;
            return answer(s, http);
        }
        notAccepted = true;
    }
    s.given.reset();

    std::optional<PasswordAnswer> given;
    if (s.prompt) {
        const Question question{user, server, notAccepted};
        if (!relay)
            given = s.prompt(question);
        else if (!relay([&] { given = s.prompt(question); }))
            given.reset();
    }
    if (!given) {
        s.declined = true;
        return nullptr;
    }
    // libcups copies the answer before it returns to us; the copy kept here answers later connections.
    const QString account = given->user.isEmpty() ? user : given->user;
    s.given.emplace(Given{server, user, account, std::move(given->password), http});
    return answer(s, http);
}

} // namespace

void install() {
    cupsSetPasswordCB2(&ask, nullptr);
}

void setPrompt(Prompt prompt) {
    State& s = state();
    s.prompt = std::move(prompt);
    // A new prompt is a new person to ask: nothing given to the last one is used for them.
    s.given.reset();
}

PromptRelay::PromptRelay(Relay given) {
    relay = std::move(given);
}

PromptRelay::~PromptRelay() {
    relay = nullptr;
}

AnsweringHere::AnsweringHere(http_t* http) : http_(http), outer_(state().answeringHere) {
    // libcups keeps the callback per thread, and its own reads the terminal: a program started in the
    // background would be stopped there. Every request of ours begins here, on whichever thread makes it.
    install();
    state().answeringHere = http;
    state().answerWaiting = false;
}

AnsweringHere::~AnsweringHere() {
    state().answeringHere = outer_;
    state().answerWaiting = false;
}

bool AnsweringHere::answerTaken() {
    State& s = state();
    if (!s.answerWaiting || !s.given)
        return false;
    s.answerWaiting = false;
    // As libcups itself would send it: "user:password" in Base64, put together in memory of its own.
    const QByteArray user = s.given->account.toUtf8();
    Secret userPassword;
    userPassword.append(user.constData(), static_cast<std::size_t>(user.size()));
    userPassword.append(':');
    userPassword.append(s.given->password.c_str(), s.given->password.size());
    Secret encoded;
    const std::size_t room = (userPassword.size() + 2) / 3 * 4;
    httpEncode64_2(encoded.extend(room), static_cast<int>(room + 1), userPassword.c_str(),
                   static_cast<int>(userPassword.size()));
    httpSetAuthString(http_, "Basic", encoded.c_str());
    return true;
}

bool declined() {
    return state().declined;
}

void resetDeclined() {
    state().declined = false;
}

void forgetConnection(http_t* http) {
    State& s = state();
    if (s.given && s.given->connection == http)
        s.given->connection = nullptr;
}

QString declinedText() {
    return QCoreApplication::translate("CupsPassword",
                                       "Сервер печати %1 запросил пароль пользователя %2, но пароль не "
                                       "был введён. Ничего не напечатано.")
        .arg(CupsServer::address(), QString::fromUtf8(cupsUser()));
}

EOSError declinedError() {
    return EOSError(IPP_STATUS_ERROR_NOT_AUTHENTICATED, declinedText().toStdString());
}

} // namespace CupsPassword
