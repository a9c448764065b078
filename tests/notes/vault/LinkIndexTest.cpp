#include "notes/vault/LinkIndex.hpp"

#include "tests/notes/ScratchFolder.hpp"

#include <gtest/gtest.h>

namespace notes {
namespace {

using markdown::URL;

class LinkResolution : public ::testing::Test {
protected:
    LinkResolution() {
        for (const char* file :
             {"Home.md", "a/Plan.md", "b/Plan.md", "b/x/Note.md", "a/Note.md", "My Plan.md",
              "img/diagram.png", "Ideas/Ideas.md", "other/Plan.md", "other/Notes.md",
              "other/Readme", "d/Cafe\u0301.md", "d/Cr\u00E8me.md"})
            notes.file(file);
    }

    URL at(std::string_view relative) const { return URL::fileURL(notes / relative); }

    // Everything but "other/", in the order given.
    LinkIndex index(std::vector<std::string_view> order) const {
        std::vector<URL> files;
        for (std::string_view relative : order)
            files.push_back(at(relative));
        return LinkIndex(URL::fileURL(notes.path()), files);
    }

    ScratchFolder notes;
};

TEST_F(LinkResolution, ResolvesBesideTheNoteThenByPathThenNameThenNearness) {
    const struct {
        std::string_view target;
        std::string_view current;
        std::optional<std::string_view> expected;
    } cases[] = {
        // The longer shared leading path wins among files of one name.
        {"Plan", "b/x/Note.md", "b/Plan.md"},
        // The relative path, in any case, with or without the extension.
        {"A/PLAN.MD", "b/x/Note.md", "a/Plan.md"},
        // Folders named in the target narrow the files of that name.
        {"x/Note", "a/Plan.md", "b/x/Note.md"},
        // No file under a folder "x": nearness decides.
        {"x/Plan", "b/x/Note.md", "b/Plan.md"},
        // Leading slashes and "./", blanks around it, escapes.
        {" ./Plan ", "b/x/Note.md", "b/Plan.md"},
        {"\tMy%20Plan\u00A0", "b/x/Note.md", "My Plan.md"},
        {"diagram.png", "b/x/Note.md", "img/diagram.png"},
        // A folder beside the note is no match; the index finds the note inside it.
        {"Ideas", "Home.md", "Ideas/Ideas.md"},
        // Names match whether their accents are stored composed or decomposed.
        {"Caf\u00E9", "b/x/Note.md", "d/Cafe\u0301.md"},
        {"D/CAF\u00C9.md", "b/x/Note.md", "d/Cafe\u0301.md"},
        {"Cre\u0300me", "b/x/Note.md", "d/Cr\u00E8me.md"},
        {"Missing", "b/x/Note.md", std::nullopt},
        {"%20Plan", "b/x/Note.md", std::nullopt},
        {" /./ ", "b/x/Note.md", std::nullopt},
        // A decoded NUL names no file, beside the note or in the index.
        {"diagram.png%00zzz", "img/cur.md", std::nullopt},
        {"img/diagram.png%00", "Home.md", std::nullopt},
        // The index knows only "a" and "b"; the note beside the current one still wins, as
        // written.
        {"Plan", "other/Notes.md", "other/Plan.md"},
        {"../a/Plan", "other/Notes.md", "a/Plan.md"},
        {"Plan/", "other/Notes.md", "a/Plan.md"},
    };
    LinkIndex links =
        index({"Home.md", "a/Plan.md", "b/Plan.md", "b/x/Note.md", "a/Note.md", "My Plan.md",
               "img/diagram.png", "Ideas/Ideas.md", "d/Cafe\u0301.md", "d/Cr\u00E8me.md"});
    for (const auto& c : cases)
        EXPECT_EQ(links.resolve(c.target, at(c.current)),
                  c.expected ? std::optional(at(*c.expected)) : std::nullopt)
            << c.target << " from " << c.current;
}

TEST_F(LinkResolution, BreaksTiesByTheOrderTheFilesWereGiven) {
    LinkIndex bFirst = index({"b/Plan.md", "a/Plan.md"});
    EXPECT_EQ(bFirst.resolve("Plan", at("Home.md")), at("b/Plan.md"));
    EXPECT_EQ(bFirst.byName("plan.md"), (std::vector<URL>{at("b/Plan.md"), at("a/Plan.md")}));
}

TEST_F(LinkResolution, LooksBesideTheCurrentNoteByPathAndThroughItsOpenFolder) {
    // Checked on the joined path, and through the note's folder held open as a rendering does;
    // ".." is taken as written, not through the link.
    std::filesystem::create_directory_symlink(notes / "b/x", notes / "other/link");
    const LinkIndex empty;
    NoteFolder folder;
    for (bool opened : {false, true}) {
        auto resolve = [&](std::string_view target, const std::optional<URL>& current) {
            return opened ? empty.resolve(target, current, folder) : empty.resolve(target, current);
        };
        SCOPED_TRACE(opened ? "through the open folder" : "by path");
        EXPECT_EQ(resolve("Plan", at("other/Notes.md")), at("other/Plan.md"));
        EXPECT_EQ(resolve("Ideas", at("Home.md")), std::nullopt);
        // A trailing slash asks for a folder.
        EXPECT_EQ(resolve("Readme", at("other/Notes.md")), at("other/Readme"));
        EXPECT_EQ(resolve("Readme/", at("other/Notes.md")), std::nullopt);
        EXPECT_EQ(resolve("link/Note", at("other/Notes.md")), at("other/link/Note.md"));
        EXPECT_EQ(resolve("link/../Readme", at("other/Notes.md")), at("other/Readme"));
        EXPECT_EQ(resolve("Plan", std::nullopt), std::nullopt);
        // A decoded NUL names no file, although the path cut at it does.
        for (std::string_view cut : {"diagram.png%00zzz", "diagram.png%00.md", "diagram.png%00"})
            EXPECT_EQ(resolve(cut, at("img/cur.md")), std::nullopt) << cut;
    }
    // A file removed since is gone, even for the folder already open.
    std::filesystem::remove(notes / "other/Plan.md");
    EXPECT_EQ(empty.resolve("Plan", at("other/Notes.md"), folder), std::nullopt);
}

// Thousands of files with paths far longer than a note's usual: the key text outgrows the room
// first set aside for it, and every answer must survive the move.
TEST(LinkIndex, AnswersForEveryFileOfALargeFolderWithLongPaths) {
    std::vector<URL> files;
    for (int folder = 0; folder < 2000; ++folder)
        for (const char* name : {"/Index.md", "/Note.png"})
            files.push_back(URL::fileURL("/vault/" + std::string(300, 'D') + "/F" +
                                         std::to_string(folder) + name));
    const LinkIndex links(URL::fileURL(std::string("/vault")), files);
    for (int folder : {0, 1, 999, 1999}) {
        const std::string at = std::string(300, 'd') + "/f" + std::to_string(folder);
        const URL index = files[2 * folder], note = files[2 * folder + 1];
        EXPECT_EQ(links.byRelativePath(at + "/index"), index) << folder;
        EXPECT_EQ(links.byRelativePath(at + "/index.md"), index) << folder;
        EXPECT_EQ(links.byRelativePath(at + "/note.png"), note) << folder;
        EXPECT_EQ(links.byRelativePath(at + "/note"), std::nullopt) << folder;
    }
    // Every file of a name, in the order given.
    const std::vector<URL> indexes = links.byName("index");
    ASSERT_EQ(indexes.size(), 2000U);
    EXPECT_EQ((std::vector{indexes[1], indexes[1999]}), (std::vector{files[2], files[3998]}));
    EXPECT_TRUE(links.byName("note").empty());
}

} // namespace
} // namespace notes
