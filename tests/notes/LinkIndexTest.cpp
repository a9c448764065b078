#include "notes/LinkIndex.hpp"

#include "TemporaryNoteFolder.hpp"

#include "ExpectCases.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace notes {
namespace {

using markdown::URL;
using testing::TemporaryNoteFolder;

URL fileURL(const std::string& path) {
    return URL::fileURL(path);
}

TEST(LinkIndex, NormalizesKeysWithAndWithoutMarkdownExtension) {
    const std::pair<std::string_view, std::vector<std::string>> cases[] = {
        {"Notes/Plan.md", {"notes/plan.md", "notes/plan"}},
        {"img/Logo.PNG", {"img/logo.png"}},
        {"Über.MKD", {"über.mkd", "über"}},
        {".md", {".md"}},
        {"v1.2/notes", {"v1.2/notes"}},
    };
    expectCases(cases, normalizeLinkKey);
}

TEST(LinkIndex, KeysFilesByPathBelowTheRootAndByName) {
    const std::vector<URL> files{fileURL("/vault/a/./Plan.md"), fileURL("/vault/b/Plan.md"),
                                 fileURL("/vault/img/Logo.PNG"), fileURL("/elsewhere/Loose.md"),
                                 fileURL("/vault/A/plan.md")};

    LinkIndex index(fileURL("/vault/x/../"), files);

    EXPECT_EQ(index.root(), fileURL("/vault"));
    // The later "A/plan.md" replaces "a/Plan.md"; the stored URL is the one given.
    EXPECT_EQ(index.byRelativePath("a/plan"), files[4]);
    EXPECT_EQ(index.byRelativePath("b/plan.md"), files[1]);
    EXPECT_EQ(index.byRelativePath("img/logo"), std::nullopt);
    EXPECT_EQ(index.byRelativePath("loose"), files[3]);
    EXPECT_EQ(index.byRelativePath("elsewhere/loose"), std::nullopt);
    EXPECT_EQ(index.byName("plan"), (std::vector<URL>{files[0], files[1], files[4]}));
    EXPECT_EQ(index.byName("plan.md"), (std::vector<URL>{files[0], files[1], files[4]}));
    EXPECT_EQ(index.byName("logo"), (std::vector<URL>{}));

    LinkIndex empty;
    EXPECT_EQ(empty.root(), std::nullopt);
    EXPECT_TRUE(empty.byName("plan").empty());
}

class LinkResolution : public ::testing::Test {
protected:
    LinkResolution() {
        for (const char* file : {"Home.md", "a/Plan.md", "b/Plan.md", "b/x/Note.md", "a/Note.md",
                                 "My Plan.md", "100% done.md", "img/diagram.png", "Ideas/Ideas.md",
                                 "other/Plan.md", "other/Notes.md", "other/Readme"})
            notes.file(file);
    }

    URL at(std::string_view relative) const { return fileURL(notes.path(relative)); }

    // Everything but "other/", in the order given.
    LinkIndex index(std::vector<std::string_view> order) const {
        std::vector<URL> files;
        for (std::string_view relative : order)
            files.push_back(at(relative));
        return LinkIndex(URL::fileURL(notes.root()), files);
    }
    LinkIndex standardIndex() const {
        return index({"Home.md", "a/Plan.md", "b/Plan.md", "b/x/Note.md", "a/Note.md", "My Plan.md",
                      "100% done.md", "img/diagram.png", "Ideas/Ideas.md"});
    }

    TemporaryNoteFolder notes;
};

TEST_F(LinkResolution, ResolvesByPathThenNameThenNearness) {
    struct Case {
        std::string_view target;
        std::optional<std::string_view> current;
        std::optional<std::string_view> expected;
    };
    const Case cases[] = {
        // The longer shared leading path wins among files of one name.
        {"Plan", "b/x/Note.md", "b/Plan.md"},
        {"Plan", "a/Note.md", "a/Plan.md"},
        // The relative path, in any case, with or without the extension.
        {"A/PLAN.MD", "b/x/Note.md", "a/Plan.md"},
        // Folders named in the target narrow the files of that name.
        {"x/Note", "a/Plan.md", "b/x/Note.md"},
        // No file under a folder "x": nearness decides.
        {"x/Plan", "b/x/Note.md", "b/Plan.md"},
        // Leading slashes and "./", blanks around it, escapes.
        {" ./Plan ", "b/x/Note.md", "b/Plan.md"},
        {"\tMy%20Plan\u00A0", "b/x/Note.md", "My Plan.md"},
        {"100% done", "b/x/Note.md", "100% done.md"},
        {"diagram.png", "b/x/Note.md", "img/diagram.png"},
        // A folder beside the note is no match; the index finds the note inside it.
        {"Ideas", "Home.md", "Ideas/Ideas.md"},
        {"Missing", "b/x/Note.md", std::nullopt},
        {"%20Plan", "b/x/Note.md", std::nullopt},
        {" /./ ", "b/x/Note.md", std::nullopt},
    };
    LinkIndex links = standardIndex();
    for (const Case& c : cases) {
        std::optional<URL> current;
        if (c.current)
            current = at(*c.current);
        std::optional<URL> expected;
        if (c.expected)
            expected = at(*c.expected);
        EXPECT_EQ(links.resolve(c.target, current), expected)
            << c.target << " from " << c.current.value_or("nothing");
    }
}

TEST_F(LinkResolution, BreaksTiesByTheOrderTheFilesWereGiven) {
    LinkIndex bFirst = index({"b/Plan.md", "a/Plan.md"});
    EXPECT_EQ(bFirst.resolve("Plan", at("Home.md")), at("b/Plan.md"));
    EXPECT_EQ(bFirst.resolve("Plan", std::nullopt), at("b/Plan.md"));
    EXPECT_EQ(bFirst.resolve("Plan", at("a/Note.md")), at("a/Plan.md"));
}

TEST_F(LinkResolution, LooksBesideTheCurrentNoteBeforeTheIndex) {
    // The index knows only "a" and "b"; the note beside the current one still wins, as written.
    LinkIndex links = standardIndex();
    EXPECT_EQ(links.resolve("Plan", at("other/Notes.md")), at("other/Plan.md"));
    EXPECT_EQ(links.resolve("../a/Plan", at("other/Notes.md")), at("a/Plan.md"));
    EXPECT_EQ(links.resolve("Plan/", at("other/Notes.md")), at("a/Plan.md"));

    LinkIndex empty;
    EXPECT_EQ(empty.resolve("Plan", at("other/Notes.md")), at("other/Plan.md"));
    EXPECT_EQ(empty.resolve(" img/diagram.png", at("Home.md")), at("img/diagram.png"));
    EXPECT_EQ(empty.resolve("Ideas", at("Home.md")), std::nullopt);
    // A trailing slash asks for a folder.
    EXPECT_EQ(empty.resolve("Readme", at("other/Notes.md")), at("other/Readme"));
    EXPECT_EQ(empty.resolve("Readme/", at("other/Notes.md")), std::nullopt);
    EXPECT_EQ(empty.resolve("Plan", std::nullopt), std::nullopt);
}

} // namespace
} // namespace notes
