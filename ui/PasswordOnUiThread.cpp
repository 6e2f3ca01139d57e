#include "ui/PasswordOnUiThread.h"

#include "ui/PasswordDialog.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

#include <condition_variable>
#include <mutex>

namespace {
// Guards every question handed to the user-interface thread and its answer. Held by the asking thread from
// before the call is made until its wait begins, and taken by the call before it reads anything it was given:
// Qt's event queue orders the two as well, but out of a race checker's sight.
std::mutex handing;
} // namespace

std::optional<PasswordAnswer> askPrintServerPasswordOnUiThread(const PasswordQuestion& question) {
    QCoreApplication* application = QCoreApplication::instance();
    if (QThread::currentThread() == application->thread())
        return askPrintServerPassword(question);
    // The question and the answer stay this thread's, lent to the dialog until it returns.
    struct Handoff {
        std::condition_variable answered;
        bool done = false;
        std::optional<PasswordAnswer> answer;
    } handoff;
    std::unique_lock lock(handing);
    QMetaObject::invokeMethod(
        application,
        [&handoff, &question] {
            std::unique_lock shown(handing);
            const PasswordQuestion asked = question;
            shown.unlock();
            std::optional<PasswordAnswer> answer = askPrintServerPassword(asked);
            shown.lock();
            handoff.answer = std::move(answer);
            handoff.done = true;
            handoff.answered.notify_all();
        },
        Qt::QueuedConnection);
    handoff.answered.wait(lock, [&] { return handoff.done; });
    return std::move(handoff.answer);
}
