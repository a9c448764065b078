#pragma once

#include "notes/runtime/Settings.hpp"
#include "reader/model/WindowTarget.hpp"

#include <utility>
#include <vector>

namespace app {

class ReaderWindow;

/// Which windows come back at the next start: those open when the application ends. Closing
/// the last window is what ends it, so that window counts as open. Kept in the setting
/// "windows" as a JSON list of each window's target in its keyed form.
class WindowRestoration {
public:
    explicit WindowRestoration(notes::Settings& settings) : settings(settings) {}

    /// The targets stored when the application last ended, in the order the windows opened.
    /// An entry that cannot be read is left out, and a setting that cannot be read gives none;
    /// both are logged.
    [[nodiscard]] std::vector<reader::WindowTarget> stored() const;

    /// Follows the windows: each is keyed by its address and keeps the target it opened with.
    void opened(const ReaderWindow* window, const reader::WindowTarget& target);
    void closed(const ReaderWindow* window);

    /// Stores the windows that count as open. A run that opened no window keeps what was
    /// stored before.
    void store();

private:
    struct Shown {
        const ReaderWindow* window;
        reader::WindowTarget target;
        bool closed = false;
    };

    notes::Settings& settings;
    std::vector<Shown> shown;
};

} // namespace app
