#pragma once

#include <functional>

class QObject;

// Runs a handler from inside the toolkit's mouse event delivery, whose frames are built without unwinding
// support: an error thrown through them leaks the event copies they hold. An error the handler raises is
// rethrown from the event loop instead, straight after, where the error report receives it as from any other
// handler.
void runRelayingErrors(QObject* context, const std::function<void()>& handler);
