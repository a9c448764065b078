#pragma once

#include <glib.h>

#include <chrono>
#include <functional>

namespace notes::testing {

/// Runs the default main context until `done` holds or `timeout` passes; returns `done()`.
inline bool runUntil(const std::function<bool()>& done,
                     std::chrono::milliseconds timeout = std::chrono::seconds(3)) {
    bool timedOut = false;
    guint timer = g_timeout_add(
        static_cast<guint>(timeout.count()),
        [](gpointer flag) { return *static_cast<bool*>(flag) = true, G_SOURCE_REMOVE; }, &timedOut);
    while (!done() && !timedOut)
        g_main_context_iteration(nullptr, TRUE);
    if (!timedOut)
        g_source_remove(timer);
    return done();
}

/// Runs the default main context for the duration.
inline void runFor(std::chrono::milliseconds duration) {
    runUntil([] { return false; }, duration);
}

} // namespace notes::testing
