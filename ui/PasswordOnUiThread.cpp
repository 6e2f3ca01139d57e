#include "ui/PasswordOnUiThread.h"

#include "ui/PasswordDialog.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

std::optional<PasswordAnswer> askPrintServerPasswordOnUiThread(const PasswordQuestion& question) {
    QCoreApplication* application = QCoreApplication::instance();
    if (QThread::currentThread() == application->thread())
        return askPrintServerPassword(question);
    std::optional<PasswordAnswer> answer;
    // Blocking queued call: the question and the answer are this thread's, lent to the dialog until it returns.
    QMetaObject::invokeMethod(
        application, [&] { answer = askPrintServerPassword(question); }, Qt::BlockingQueuedConnection);
    return answer;
}
