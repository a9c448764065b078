#pragma once

#include "reader/PageScripting.hpp"

#include <gtk/gtk.h>
#include <nlohmann/json.hpp>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>

// What tests with windows and web views share: starting the toolkit, running the main loop
// while they wait, and asking the page for values.
namespace reader {

/// Starts GTK for tests, quietly without a session bus, with the page's resources from
/// `webFolder` when they have been built there.
inline void startToolkit(const std::filesystem::path& webFolder) {
    ::setenv("GTK_A11Y", "none", 0);
    ::setenv("NO_AT_BRIDGE", "1", 0);
    if (std::filesystem::exists(webFolder / "reader.js"))
        ::setenv("LUMENLEAF_WEB_DIR", webFolder.c_str(), 1);
    gtk_init();
}

/// Runs the main loop until the condition holds or the time is up.
inline bool waitUntil(const std::function<bool()>& condition,
                      std::chrono::milliseconds limit = std::chrono::seconds(20)) {
    auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        g_main_context_iteration(nullptr, FALSE);
        g_usleep(1000);
    }
    return true;
}

/// Runs the main loop for a while, for things that must not happen.
inline void runFor(std::chrono::milliseconds time) {
    waitUntil([] { return false; }, time);
}

/// The value of a script run in the page, or the text "error: " and its message.
inline nlohmann::json runScript(PageScripting& page, const std::string& script) {
    std::optional<PageScripting::Result> result;
    page.evaluate(script, [&](PageScripting::Result answer) { result = std::move(answer); });
    if (!waitUntil([&] { return result.has_value(); }))
        return "error: no answer";
    if (const auto* error = std::get_if<PageScripting::Error>(&*result))
        return "error: " + error->message;
    return std::get<nlohmann::json>(*result);
}

} // namespace reader
