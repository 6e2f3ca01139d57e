#include "platform/UiThread.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace UiThread {
namespace {

struct Call {
    const std::function<void()>* call;
    bool done = false;
    std::exception_ptr error;
};

struct State {
    std::thread::id ui;
    std::atomic<bool> applicationReady{false};
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<Call*> pending;
};

State& state() {
    static State s;
    return s;
}

// On the user-interface thread.
void runPending() {
    State& s = state();
    std::unique_lock lock(s.mutex);
    while (!s.pending.empty()) {
        Call* call = s.pending.front();
        s.pending.pop_front();
        lock.unlock();
        try {
            (*call->call)();
        } catch (...) {
            call->error = std::current_exception();
        }
        lock.lock();
        call->done = true;
        s.changed.notify_all();
    }
}

} // namespace

void markCurrent() {
    state().ui = std::this_thread::get_id();
}

bool isCurrent() {
    return state().ui == std::this_thread::get_id();
}

void applicationReady() {
    state().applicationReady = true;
    // Calls that came before are run by the event loop as well as by waitServing.
    QMetaObject::invokeMethod(QCoreApplication::instance(), &runPending, Qt::QueuedConnection);
}

void run(const std::function<void()>& call) {
    if (isCurrent()) {
        call();
        return;
    }
    State& s = state();
    Call waiting{&call, false, nullptr};
    std::unique_lock lock(s.mutex);
    s.pending.push_back(&waiting);
    s.changed.notify_all();
    if (s.applicationReady)
        QMetaObject::invokeMethod(QCoreApplication::instance(), &runPending, Qt::QueuedConnection);
    s.changed.wait(lock, [&] { return waiting.done; });
    if (waiting.error)
        std::rethrow_exception(waiting.error);
}

void waitServing(const std::function<bool()>& done) {
    State& s = state();
    for (;;) {
        runPending();
        std::unique_lock lock(s.mutex);
        if (done())
            return;
        s.changed.wait(lock, [&] { return !s.pending.empty() || done(); });
        if (s.pending.empty())
            return;
    }
}

void wake() {
    State& s = state();
    // Under the lock, so that a waiter between its check and its wait can't miss it.
    const std::lock_guard lock(s.mutex);
    s.changed.notify_all();
}

} // namespace UiThread
