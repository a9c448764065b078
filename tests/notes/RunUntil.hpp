#pragma once

#include <glib.h>

#include <chrono>
#include <functional>
#include <thread>

namespace notes {

/// Runs the default main context until the condition holds; false when it still does not
/// after ten seconds.
inline bool runUntil(const std::function<bool()>& condition) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        if (!g_main_context_iteration(nullptr, FALSE))
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

} // namespace notes
