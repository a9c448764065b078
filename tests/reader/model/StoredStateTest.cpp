#include "reader/model/AppearanceMode.hpp"
#include "reader/model/RecentFolders.hpp"
#include "reader/model/WindowTarget.hpp"

#include "tests/notes/ScratchFolder.hpp"

#include <gtest/gtest.h>

// What a window keeps across starts: its appearance, the recent folders, and what it showed.
namespace reader {
namespace {

using markdown::URL;
using nlohmann::json;

const auto url = [](const std::string& path) { return URL::fileURL(path); };

TEST(AppearanceMode, ReadsBackEveryStoredTextAndNothingElse) {
    std::vector<std::string_view> texts;
    for (auto mode : allAppearanceModes) {
        texts.push_back(rawValue(mode));
        EXPECT_EQ(appearanceModeFromRawValue(rawValue(mode)), mode);
    }
    EXPECT_EQ(texts, (std::vector<std::string_view>{"system", "light", "dark"}));
    for (const char* text : {"Dark", "dark ", "", "auto"})
        EXPECT_EQ(appearanceModeFromRawValue(text), std::nullopt) << text;
}

TEST(RecentFolders, PutsTheFolderFirstOnceAndKeepsTheNewestTenAcrossStarts) {
    notes::ScratchFolder folder;
    notes::Settings settings(folder / "settings.ini");
    RecentFolders recent(settings);
    for (int i = 1; i <= 11; ++i)
        recent.noteRecent(url("/notes/" + std::to_string(i)));
    // One folder written two ways is listed once.
    recent.noteRecent(url("/notes/x/../5/"));
    std::vector<std::string> paths;
    for (const auto& folderURL : *recent.folders)
        paths.push_back(folderURL.path());
    EXPECT_EQ(paths, (std::vector<std::string>{"/notes/x/../5/", "/notes/11", "/notes/10",
                                               "/notes/9", "/notes/8", "/notes/7", "/notes/6",
                                               "/notes/4", "/notes/3", "/notes/2"}));
    notes::Settings stored(folder / "settings.ini");
    EXPECT_EQ(*RecentFolders(stored).folders, *recent.folders);
}

TEST(WindowTarget, StoresPresentFieldsMatchesExactlyHashesFolderApartFromFileAndOpensWhatExists) {
    const std::pair<WindowTarget, json> cases[] = {
        {{std::nullopt, url("/n/Plan.md")}, {{"file", "/n/Plan.md"}}},
        {{url("/n"), url("/n/a b.md")}, {{"folder", "/n"}, {"file", "/n/a b.md"}}},
    };
    for (const auto& [target, stored] : cases) {
        EXPECT_EQ(target.keyed(), stored);
        EXPECT_EQ(std::get<WindowTarget>(WindowTarget::fromKeyed(stored)), target);
    }
    const std::pair<json, std::string> bad[] = {
        {{{"folder", "/n"}, {"file", 3}}, R"(the window target's "file" is not a file path)"},
        {json::array(), R"(a window target must be an object with "folder" and "file")"},
    };
    for (const auto& [stored, message] : bad)
        EXPECT_EQ(std::get<WindowTarget::DecodeError>(WindowTarget::fromKeyed(stored)).message,
                  message);

    const WindowTarget plan{url("/n"), url("/n/Plan.md")};
    EXPECT_EQ(std::tuple(plan.matches(url("/n"), url("/n/Plan.md")),
                         plan.matches(url("/n"), url("/n/./Plan.md"))),
              std::tuple(true, false));
    std::hash<WindowTarget> hash;
    EXPECT_NE(hash({url("/n"), std::nullopt}), hash({std::nullopt, url("/n")}));

    notes::ScratchFolder root;
    std::filesystem::create_directory(root / "notes");
    notes::ScratchFolder::write(root / "notes" / "Plan.md", "# Plan\n");
    auto at = [&](const char* relative) { return URL::fileURL(root / relative); };
    const std::pair<WindowTarget, WindowTarget::Opening> openings[] = {
        {{at("notes"), at("notes/Plan.md")},
         WindowTarget::OpenFolder{at("notes"), at("notes/Plan.md")}},
        {{at("gone"), at("notes/Plan.md")}, WindowTarget::OpenFile{at("notes/Plan.md")}},
        {{at("gone"), at("moved/Plan.md")}, std::monostate{}},
    };
    for (const auto& [target, expected] : openings)
        EXPECT_EQ(target.opening(), expected) << target.keyed().dump();
}

} // namespace
} // namespace reader
