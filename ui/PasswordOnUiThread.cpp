#include "ui/PasswordOnUiThread.h"

#include "ui/PasswordDialog.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

#include <condition_variable>
#include <mutex>

std::optional<PasswordAnswer> askPrintServerPasswordOnUiThread(const PasswordQuestion& question) {
    QCoreApplication* application = QCoreApplication::instance();
    if (QThread::currentThread() == application->thread())
        return askPrintServerPassword(question);
    // The question and the answer stay this thread's, lent to the dialog until it returns. A queued call and a
    // wait of our own rather than Qt's blocking call: the mutex, held here until the wait begins, orders the
    // call's making before its running and the answer before its reading, where a race checker sees it.
    struct Handoff {
        std::mutex mutex;
        std::condition_variable answered;
        bool done = false;
        std::optional<PasswordAnswer> answer;
    } handoff;
    std::unique_lock lock(handoff.mutex);
    QMetaObject::invokeMethod(
        application,
        [&handoff, &question] {
            std::unique_lock shown(handoff.mutex);
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
