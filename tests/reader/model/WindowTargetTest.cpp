#include "reader/model/WindowTarget.hpp"

#include "tests/notes/ScratchFolder.hpp"

#include <gtest/gtest.h>

#include <filesystem>

namespace reader {
namespace {

using markdown::URL;
using nlohmann::json;

URL url(const std::string& path) {
    return URL::fileURL(path);
}

TEST(WindowTarget, StoresOnlyThePresentFieldsAndReadsThemBack) {
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
}

TEST(WindowTarget, MatchesExactlyHashesFolderApartFromFileAndOpensWhatExists) {
    const WindowTarget target{url("/n"), url("/n/Plan.md")};
    EXPECT_TRUE(target.matches(url("/n"), url("/n/Plan.md")));
    EXPECT_FALSE(target.matches(url("/n"), url("/n/./Plan.md")));
    std::hash<WindowTarget> hash;
    EXPECT_NE(hash({url("/n"), std::nullopt}), hash({std::nullopt, url("/n")}));

    notes::ScratchFolder root;
    std::filesystem::create_directory(root / "notes");
    notes::ScratchFolder::write(root / "notes" / "Plan.md", "# Plan\n");
    auto at = [&](const char* relative) { return URL::fileURL(root / relative); };
    const std::pair<WindowTarget, WindowTarget::Opening> cases[] = {
        {{at("notes"), at("notes/Plan.md")},
         WindowTarget::OpenFolder{at("notes"), at("notes/Plan.md")}},
        {{at("gone"), at("notes/Plan.md")}, WindowTarget::OpenFile{at("notes/Plan.md")}},
        {{at("gone"), at("moved/Plan.md")}, std::monostate{}},
    };
    for (const auto& [target, expected] : cases)
        EXPECT_EQ(target.opening(), expected) << target.keyed().dump();
}

} // namespace
} // namespace reader
