#pragma once

#include "Markdown/support/URL.hpp"
#include "notes/runtime/Observable.hpp"
#include "notes/runtime/Settings.hpp"

#include <cstddef>
#include <vector>

namespace reader {

/// The folders the user opened last, newest first, kept in the settings under "recentFolders".
/// The application state holds one and gives its `noteRecent` to every window's model.
class RecentFolders {
public:
    static constexpr std::size_t limit = 10;
    static constexpr const char* settingsKey = "recentFolders";

    /// Starts from the list stored in the settings, which must outlive this.
    explicit RecentFolders(notes::Settings& settings);

    /// Newest first.
    notes::Observable<std::vector<markdown::URL>> folders;

    /// Puts the folder first, after removing every entry that names the same folder once
    /// standardized, keeps the newest ten and stores their paths. A failed write is logged and
    /// the list still changes.
    void noteRecent(const markdown::URL& folder);

private:
    notes::Settings& settings;
};

} // namespace reader
