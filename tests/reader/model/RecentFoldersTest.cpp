#include "reader/model/RecentFolders.hpp"

#include "tests/notes/ScratchFolder.hpp"

#include <gtest/gtest.h>

namespace reader {
namespace {

TEST(RecentFolders, PutsTheFolderFirstOnceAndKeepsTheNewestTenAcrossStarts) {
    notes::ScratchFolder folder;
    notes::Settings settings(folder / "settings.ini");
    RecentFolders recent(settings);
    for (int i = 1; i <= 11; ++i)
        recent.noteRecent(markdown::URL::fileURL("/notes/" + std::to_string(i)));
    // One folder written two ways is listed once.
    recent.noteRecent(markdown::URL::fileURL(std::string("/notes/x/../5/")));
    std::vector<std::string> paths;
    for (const auto& url : *recent.folders)
        paths.push_back(url.path());
    EXPECT_EQ(paths, (std::vector<std::string>{"/notes/x/../5/", "/notes/11", "/notes/10",
                                               "/notes/9", "/notes/8", "/notes/7", "/notes/6",
                                               "/notes/4", "/notes/3", "/notes/2"}));
    notes::Settings stored(folder / "settings.ini");
    EXPECT_EQ(*RecentFolders(stored).folders, *recent.folders);
}

} // namespace
} // namespace reader
