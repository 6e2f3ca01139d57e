#pragma once

#include "platform/Errors.h"
#include "platform/PasswordQuestion.h"

#include <cups/cups.h>

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

// Passwords the CUPS server asks for. libcups would otherwise ask on the terminal, which a desktop program
// does not have: the prompt is a plain function so that the window asks in a dialog and the command line
// on its terminal.
//
// A password given is kept for the run, for the same server and user, in memory of its own (Secret): a
// connection that comes later is answered from it without asking. The prompt's own copy is zeroed as soon
// as it is taken. A connection that asks again after it was answered refused the answer: it is forgotten,
// and the prompt hears so.
namespace CupsPassword {

using Question = PasswordQuestion;

using Prompt = PasswordPrompt;

// Puts the program's own answering in place of the terminal's, for the calling thread: libcups keeps its
// password callback per thread. Until a prompt is set, it declines. Every request made through askingOnce
// has it; a thread whose libcups calls may ask a server otherwise installs it first.
void install();
// The prompt for every request of this program from now on.
void setPrompt(Prompt prompt);

// While one lives, the prompt for the calling thread's requests runs where `relay` runs it: on the thread
// that handed the request over, which may be the only one allowed to ask the user. A relay that answers false
// did not run it (the request was given up), and the question counts as declined.
class PromptRelay {
public:
    using Relay = std::function<bool(const std::function<void()>& ask)>;
    explicit PromptRelay(Relay relay);
    ~PromptRelay();
    PromptRelay(const PromptRelay&) = delete;
    PromptRelay& operator=(const PromptRelay&) = delete;
};

// Whether the user declined since the last reset: the request then fails as merely "not authorized".
bool declined();
void resetDeclined();

// A request over `http` that a password typed meanwhile reaches once. libcups would send each password
// twice before asking again, and a refused one counts twice towards the server's lock-out: so while the
// request runs, the prompt's answer is kept here instead of going to libcups, the request stops, and it
// is sent again with the answer on the connection.
class AnsweringHere {
public:
    explicit AnsweringHere(http_t* http);
    ~AnsweringHere();
    AnsweringHere(const AnsweringHere&) = delete;
    AnsweringHere& operator=(const AnsweringHere&) = delete;

    // Puts the answer taken during the last attempt on the connection; false when there was none.
    bool answerTaken();

private:
    http_t* http_;
    http_t* outer_;
};

template <class Request> auto askingOnce(http_t* http, Request&& request) {
    AnsweringHere here(http);
    for (;;) {
        auto result = request();
        if (!here.answerTaken())
            return result;
    }
}

// A connection about to be closed: one made later at the same address is another connection.
void forgetConnection(http_t* http);

// The error for a request the user declined to give the password for: its sentence, and with its status.
QString declinedText();
EOSError declinedError();

} // namespace CupsPassword
