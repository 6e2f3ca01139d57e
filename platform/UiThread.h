#pragma once

#include <functional>

// The user-interface thread, as the print system's thread sees it: a question only the user can answer
// (a password) is asked there while the asking thread waits. The user-interface thread runs such calls
// from its event loop, or, before the event loop runs, while it waits in waitServing.
namespace UiThread {

// The calling thread is the user-interface thread; the first thing the program does.
void markCurrent();
bool isCurrent();
// The application object exists: calls may go through its event loop from now on.
void applicationReady();

// Runs `call` on the user-interface thread and returns when it has run; at once on that thread itself.
void run(const std::function<void()>& call);

// On the user-interface thread: waits until `done` says so, running what other threads ask meanwhile.
// `done` is asked again whenever wake() is called.
void waitServing(const std::function<bool()>& done);
void wake();

} // namespace UiThread
