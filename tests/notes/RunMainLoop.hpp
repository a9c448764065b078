#pragma once

#include <glib.h>

#include <chrono>
#include <functional>
#include <thread>

namespace notes::testing {

/// Runs the default main context until `done` holds or `timeout` passes; returns `done()`.
/// Idle turns sleep briefly, so that conditions set by other threads or processes are seen.
inline bool runUntil(const std::function<bool()>& done,
                     std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return done();
        if (!g_main_context_iteration(nullptr, FALSE))
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

/// Runs the default main context for the duration.
inline void runFor(std::chrono::milliseconds duration) {
    runUntil([] { return false; }, duration);
}

} // namespace notes::testing
