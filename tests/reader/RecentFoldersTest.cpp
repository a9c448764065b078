#include "reader/RecentFolders.hpp"

#include "tests/notes/ScratchFolder.hpp"

#include <gtest/gtest.h>

#include <string>

namespace reader {
namespace {

using markdown::URL;

std::vector<std::string> paths(const std::vector<URL>& urls) {
    std::vector<std::string> out;
    for (const auto& url : urls)
        out.push_back(url.path());
    return out;
}

TEST(RecentFolders, PutsTheFolderFirstOnceAndKeepsTheNewestTen) {
    notes::ScratchFolder folder;
    notes::Settings settings(folder / "settings.ini");
    RecentFolders recent(settings);
    for (int i = 1; i <= 11; ++i)
        recent.noteRecent(URL::fileURL("/notes/" + std::to_string(i)));
    // One folder written two ways is listed once.
    recent.noteRecent(URL::fileURL(std::string("/notes/x/../5/")));
    EXPECT_EQ(paths(*recent.folders),
              (std::vector<std::string>{"/notes/x/../5/", "/notes/11", "/notes/10", "/notes/9",
                                        "/notes/8", "/notes/7", "/notes/6", "/notes/4", "/notes/3",
                                        "/notes/2"}));

    // What the next start of the application finds.
    notes::Settings stored(folder / "settings.ini");
    RecentFolders restored(stored);
    EXPECT_EQ(*restored.folders, *recent.folders);
}

} // namespace
} // namespace reader
