#include "ui/ErrorRelay.h"

#include <QMetaObject>
#include <QObject>

#include <exception>

void runRelayingErrors(QObject* context, const std::function<void()>& handler) {
    try {
        handler();
    } catch (...) {
        QMetaObject::invokeMethod(
            context, [error = std::current_exception()] { std::rethrow_exception(error); },
            Qt::QueuedConnection);
    }
}
