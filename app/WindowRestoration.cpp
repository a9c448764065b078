#include "app/WindowRestoration.hpp"

#include <glib.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <optional>
#include <variant>

namespace app {

namespace {

constexpr const char* key = "windows";

// The setting is UTF-8 text, which a path need not be.
bool isUTF8(const std::optional<markdown::URL>& url) {
    return !url ||
           g_utf8_validate(url->path().data(), static_cast<gssize>(url->path().size()), nullptr);
}

} // namespace

std::vector<reader::WindowTarget> WindowRestoration::stored() const {
    std::vector<reader::WindowTarget> targets;
    auto text = settings.string(key);
    if (!text)
        return targets;
    auto list = nlohmann::json::parse(*text, nullptr, false);
    if (!list.is_array()) {
        g_warning("Not restoring windows: the setting \"%s\" is not a list", key);
        return targets;
    }
    for (const auto& entry : list) {
        auto read = reader::WindowTarget::fromKeyed(entry);
        if (auto* target = std::get_if<reader::WindowTarget>(&read))
            targets.push_back(std::move(*target));
        else
            g_warning("Not restoring a window: %s",
                      std::get<reader::WindowTarget::DecodeError>(read).message.c_str());
    }
    return targets;
}

void WindowRestoration::opened(const ReaderWindow* window, const reader::WindowTarget& target) {
    // The last window closed stays only while no other window replaces it.
    std::erase_if(shown, [](const Shown& entry) { return entry.closed; });
    shown.push_back({window, target});
}

void WindowRestoration::closed(const ReaderWindow* window) {
    auto found = std::ranges::find(shown, window, &Shown::window);
    if (found == shown.end())
        return;
    const bool othersOpen = std::ranges::any_of(
        shown, [window](const Shown& entry) { return entry.window != window && !entry.closed; });
    if (othersOpen)
        shown.erase(found);
    else
        found->closed = true;
}

void WindowRestoration::store() {
    if (shown.empty())
        return;
    auto list = nlohmann::json::array();
    for (const auto& entry : shown) {
        if (isUTF8(entry.target.folder) && isUTF8(entry.target.file))
            list.push_back(entry.target.keyed());
        else
            g_warning("Not keeping a window to restore: its path is not UTF-8");
    }
    settings.setString(key, list.dump());
}

} // namespace app
