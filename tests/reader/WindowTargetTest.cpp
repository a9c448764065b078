#include "reader/WindowTarget.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace reader {
namespace {

namespace fs = std::filesystem;
using markdown::URL;
using nlohmann::json;

URL url(const std::string& path) {
    return URL::fileURL(path);
}

TEST(WindowTarget, StoresOnlyThePresentFieldsAndReadsThemBack) {
    const std::pair<WindowTarget, json> cases[] = {
        {{}, json::object()},
        {{std::nullopt, url("/n/Plan.md")}, {{"file", "/n/Plan.md"}}},
        {{url("/n"), url("/n/a b.md")}, {{"folder", "/n"}, {"file", "/n/a b.md"}}},
    };
    for (const auto& [target, stored] : cases) {
        EXPECT_EQ(target.keyed(), stored);
        EXPECT_EQ(std::get<WindowTarget>(WindowTarget::fromKeyed(stored)), target);
    }
    auto extra = WindowTarget::fromKeyed({{"file", "/n/A.md"}, {"Folder", "/n"}});
    EXPECT_EQ(std::get<WindowTarget>(extra), (WindowTarget{std::nullopt, url("/n/A.md")}));

    const std::pair<json, std::string> bad[] = {
        {{{"folder", "/n"}, {"file", 3}}, R"(the window target's "file" is not a file path)"},
        {{{"folder", ""}}, R"(the window target's "folder" is not a file path)"},
        {json::array(), R"(a window target must be an object with "folder" and "file")"},
    };
    for (const auto& [stored, message] : bad)
        EXPECT_EQ(std::get<WindowTarget::DecodeError>(WindowTarget::fromKeyed(stored)).message,
                  message);
}

TEST(WindowTarget, HashesEqualTargetsAlikeAndTellsFolderFromFile) {
    const WindowTarget folderOnly{url("/n"), std::nullopt};
    const WindowTarget fileOnly{std::nullopt, url("/n")};
    std::hash<WindowTarget> hash;
    EXPECT_NE(hash(folderOnly), hash(fileOnly));
    EXPECT_EQ(hash(WindowTarget{url("/n"), url("/n/A.md")}),
              hash(WindowTarget{url("/n"), url("/n/A.md")}));
}

TEST(WindowTarget, MatchesOnlyTheExactFolderAndFile) {
    const WindowTarget target{url("/n"), url("/n/Plan.md")};
    EXPECT_TRUE(target.matches(url("/n"), url("/n/Plan.md")));
    EXPECT_FALSE(target.matches(url("/n"), std::nullopt));
    EXPECT_FALSE(target.matches(url("/n"), url("/n/./Plan.md")));
    EXPECT_TRUE(WindowTarget{}.matches(std::nullopt, std::nullopt));
}

TEST(WindowTarget, OpensTheFolderElseTheFileElseNothing) {
    std::string pattern = (fs::temp_directory_path() / "window-target-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    const fs::path root = pattern;
    fs::create_directory(root / "notes");
    std::ofstream(root / "notes" / "Plan.md") << "# Plan\n";
    auto at = [&](const char* relative) { return URL::fileURL(root / relative); };

    const std::pair<WindowTarget, WindowTarget::Opening> cases[] = {
        {{at("notes"), at("notes/Plan.md")},
         WindowTarget::OpenFolder{at("notes"), at("notes/Plan.md")}},
        // The folder opens even when its note is gone; its start note follows.
        {{at("notes"), at("notes/Gone.md")},
         WindowTarget::OpenFolder{at("notes"), at("notes/Gone.md")}},
        {{at("gone"), at("notes/Plan.md")}, WindowTarget::OpenFile{at("notes/Plan.md")}},
        {{at("gone"), at("moved/Plan.md")}, std::monostate{}},
        {{}, std::monostate{}},
    };
    for (const auto& [target, expected] : cases)
        EXPECT_EQ(target.opening(), expected) << target.keyed().dump();
    fs::remove_all(root);
}

} // namespace
} // namespace reader
