#pragma once

#include "reader/model/PageScripting.hpp"
#include "tests/notes/RunMainLoop.hpp"

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

using notes::testing::runFor;

/// Runs the main loop until the condition holds, allowing for a web page's slow start.
inline bool waitUntil(const std::function<bool()>& condition,
                      std::chrono::milliseconds limit = std::chrono::seconds(20)) {
    return notes::testing::runUntil(condition, limit);
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
