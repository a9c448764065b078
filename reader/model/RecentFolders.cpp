#include "reader/model/RecentFolders.hpp"

#include "reader/model/DiskPath.hpp"

#include <string>

namespace reader {

RecentFolders::RecentFolders(notes::Settings& settings) : settings(settings) {
    std::vector<markdown::URL> stored;
    for (auto& path : settings.stringList(settingsKey).value_or(std::vector<std::string>{})) {
        if (!path.empty())
            stored.push_back(markdown::URL::fileURL(std::move(path)));
    }
    folders.set(std::move(stored));
}

void RecentFolders::noteRecent(const markdown::URL& folder) {
    markdown::URL standardized = standardizedFileURL(folder);
    folders.modify([&](std::vector<markdown::URL>& list) {
        std::erase_if(list, [&](const markdown::URL& entry) {
            return standardizedFileURL(entry) == standardized;
        });
        list.insert(list.begin(), folder);
        if (list.size() > limit)
            list.resize(limit);
    });
    std::vector<std::string> paths;
    for (const auto& entry : folders.get())
        paths.push_back(entry.path());
    settings.setStringList(settingsKey, paths);
}

} // namespace reader
