#pragma once

#include <glib.h>

#include <chrono>
#include <functional>
#include <thread>

namespace notes {

/// Runs the default main context until the condition holds; false when it still does not
/// once the time is up.
inline bool runUntil(const std::function<bool()>& condition,
                     std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        if (!g_main_context_iteration(nullptr, FALSE))
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

/// Runs the default main context for the duration.
inline void runFor(std::chrono::milliseconds duration) {
    runUntil([] { return false; }, duration);
}

} // namespace notes
