#pragma once

#include <QEventLoop>
#include <QFuture>
#include <QFutureWatcher>

// The value of work running on another thread, waited for on the user-interface thread in an event loop that
// delivers no user input: the window keeps painting, and queued calls from that thread (a password
// question) are served meanwhile.
template <class T> T awaitWithoutInput(QFuture<T> future) {
    if (!future.isFinished()) {
        QEventLoop loop;
        QFutureWatcher<T> watcher;
        QObject::connect(&watcher, &QFutureWatcherBase::finished, &loop, &QEventLoop::quit);
        watcher.setFuture(future);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    return future.takeResult();
}
