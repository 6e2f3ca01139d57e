#pragma once

#include "platform/PrintSystem.h"

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

// The print system made, and its start-up questions asked, on a thread of its own while the user-interface
// thread sets up the toolkit. Made on the user-interface thread (UiThread::markCurrent first).
class PrintSystemStart {
public:
    using Maker = std::function<std::unique_ptr<PrintSystem>()>;

    // `make` runs on the new thread; what it throws is what the print system's questions throw later.
    explicit PrintSystemStart(Maker make);
    ~PrintSystemStart();
    PrintSystemStart(const PrintSystemStart&) = delete;
    PrintSystemStart& operator=(const PrintSystemStart&) = delete;

    // Waits for it, answering meanwhile what the thread asks of the user (UiThread::run); once only.
    std::unique_ptr<PrintSystem> take();

private:
    std::unique_ptr<PrintSystem> system_;
    std::atomic<bool> ready_{false};
    std::thread thread_;
};
