#pragma once

#include "platform/Errors.h"

#include <functional>
#include <string>

// The message of the program's error that a call raises; empty when it succeeds.
inline std::string messageOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const Exception& e) {
        return e.what();
    }
    return {};
}
