#include "ModelHarness.hpp"

#include "FakePage.hpp"
#include "notes/ReaderURL.hpp"
#include "tests/notes/ScratchFolder.hpp"

#include <gtest/gtest.h>

#include <filesystem>

namespace reader {
namespace {

namespace fs = std::filesystem;
using markdown::URL;
using notes::ScratchFolder;

URL url(const fs::path& path) {
    return URL::fileURL(path);
}

// A folder of notes, each holding one line: its own name.
struct NoteFolder {
    explicit NoteFolder(const std::vector<const char*>& notes) {
        for (const char* note : notes) {
            fs::create_directories((folder / note).parent_path());
            ScratchFolder::write(folder / note, fs::path(note).stem().native());
        }
    }
    URL operator/(const char* name) const { return url(folder / name); }
    std::string link(const char* name) const { return notes::readerURL(*this / name); }

    ScratchFolder folder;
};

void openFolder(ModelHarness& harness, const NoteFolder& notes,
                std::optional<URL> initial = std::nullopt) {
    harness.model->openFolder(url(notes.folder.path()), initial);
    harness.scheduler.runPosted();
}

TEST(ReaderModelOpening, StartsWithReadmeThenIndexThenHomeAtTheTopLevelOnly) {
    const std::pair<std::vector<const char*>, const char*> cases[] = {
        {{"Home.md", "index.MD"}, "index.MD"},
        {{"Index.md", "README.markdown"}, "README.markdown"},
        {{"sub/readme.md", "home.md", "Zeta.md"}, "home.md"},
        {{"Welcome.md", "sub/index.md"}, nullptr},
    };
    for (const auto& [files, expected] : cases) {
        NoteFolder notes(files);
        ModelHarness harness;
        openFolder(harness, notes);
        if (expected)
            EXPECT_EQ(*harness.model->file, notes / expected);
        else
            EXPECT_EQ(*harness.model->file, std::nullopt);
        EXPECT_TRUE(harness.model->backStack->empty());
    }
}

TEST(ReaderModelOpening, OpeningAFolderResetsTheWindowAndNotesTheFolderAsRecent) {
    NoteFolder notes({"README.md", "sub/deeper/Plan.md", "Other.md"});
    ModelHarness harness;
    ReaderModel& model = *harness.model;
    model.sidebarFilter.set("pl");
    model.openFolder(url(notes.folder.path() / "sub" / ".."), notes / "sub/deeper/Plan.md");
    EXPECT_TRUE(*model.isScanning);
    EXPECT_EQ(model.sidebarFilter.get(), "");
    EXPECT_EQ(harness.recentFolders, std::vector<URL>{url(notes.folder.path())});
    harness.scheduler.runPosted();

    EXPECT_FALSE(*model.isScanning);
    EXPECT_EQ(*model.folder, url(notes.folder.path()));
    EXPECT_EQ(*model.file, notes / "sub/deeper/Plan.md");
    EXPECT_EQ(model.title(), "Plan");
    EXPECT_EQ(model.markdownFiles->size(), 3u);
    fs::path root = fs::canonical(notes.folder.path());
    EXPECT_EQ(*model.expandedFolders,
              (std::set<std::string>{root / "sub", root / "sub" / "deeper"}));
    EXPECT_EQ(model.page.get()->bodyHTML, paragraph("Plan"));
    EXPECT_EQ(model.page.get()->revision, 1);
}

TEST(ReaderModelOpening, KeepsHistoryAcrossLinksAndSteps) {
    NoteFolder notes({"A.md", "B.md", "C.md", "D.md"});
    ModelHarness harness;
    ReaderModel& model = *harness.model;
    openFolder(harness, notes);
    model.open(notes / "A.md");
    EXPECT_TRUE(model.backStack->empty());
    model.handleLink(notes.link("B.md"));
    model.handleLink(notes.link("C.md"));

    model.goBack();
    model.goBack();
    EXPECT_EQ(*model.file, notes / "A.md");
    EXPECT_TRUE(model.backStack->empty());
    EXPECT_EQ(*model.forwardStack, (std::vector{notes / "C.md", notes / "B.md"}));

    model.goBack(); // nothing to go back to
    EXPECT_EQ(*model.file, notes / "A.md");

    model.goForward();
    EXPECT_EQ(*model.file, notes / "B.md");
    EXPECT_EQ(*model.backStack, std::vector{notes / "A.md"});
    EXPECT_EQ(*model.forwardStack, std::vector{notes / "C.md"});

    model.open(notes / "D.md");
    EXPECT_EQ(*model.backStack, (std::vector{notes / "A.md", notes / "B.md"}));
    EXPECT_TRUE(model.forwardStack->empty());
}

TEST(ReaderModelOpening, ALinkToTheNoteShownOnlyScrollsToItsHeading) {
    NoteFolder notes({"A.md", "B.md"});
    ModelHarness harness;
    ReaderModel& model = *harness.model;
    auto page = std::make_shared<FakePage>();
    model.web.setWebView(page);
    openFolder(harness, notes);
    model.open(notes / "A.md");
    model.handleLink(notes.link("B.md"));
    auto pages = countNotifications(model.page);

    model.handleLink(notes.link("B.md") + "#intro");
    model.open(notes / "B.md"); // without an anchor: nothing at all

    EXPECT_EQ(page->sent, std::vector<std::string>{R"(mdr.scrollToAnchor("intro"))"});
    EXPECT_EQ(*pages, 0);
    EXPECT_EQ(harness.renders.size(), 2u);
    EXPECT_EQ(*model.backStack, std::vector{notes / "A.md"});
}

TEST(ReaderModelOpening, FollowsLinksToNotesFilesAndTheWeb) {
    NoteFolder notes({"A.md", "Plan.md", "My Note.md"});
    ScratchFolder::write(notes.folder / "report.pdf", "%PDF");
    ModelHarness harness;
    ReaderModel& model = *harness.model;
    openFolder(harness, notes);
    model.open(notes / "A.md");

    // A wikilink written without extension.
    std::string plan = notes.link("A.md");
    plan.replace(plan.size() - 4, 4, "Plan");
    model.handleLink(plan);
    EXPECT_EQ(*model.file, notes / "Plan.md");

    model.handleLink(notes.link("My Note.md") + "#my%20heading");
    EXPECT_EQ(*model.file, notes / "My Note.md");
    EXPECT_EQ(model.page.get()->anchor, "my heading");

    model.handleLink(notes.link("Plan.txt"));
    model.handleLink(notes.link("Gone.md"));
    model.handleLink("mdreader://local/broken%ZZescape.md");
    EXPECT_EQ(harness.desktop.beeps, 3);

    model.handleLink(notes.link("report.pdf"));
    EXPECT_EQ(harness.desktop.openedFiles, std::vector{notes / "report.pdf"});

    model.handleLink("file://" + (notes.folder / "A.md").native() + "#Top%20Part");
    EXPECT_EQ(*model.file, notes / "A.md");
    EXPECT_EQ(model.page.get()->anchor, "Top%20Part");

    model.handleLink("https://example.org/a?b#c");
    model.handleLink("mailto:ada@example.org");
    EXPECT_EQ(harness.desktop.openedURLs,
              (std::vector<std::string>{"https://example.org/a?b#c", "mailto:ada@example.org"}));
    EXPECT_EQ(model.backStack->size(), 3u);
}

TEST(ReaderModelOpening, ShowsInvalidUTF8WithReplacementCharacters) {
    NoteFolder notes({});
    ScratchFolder::write(notes.folder / "Latin.md", "caf\xE9 ok");
    ModelHarness harness;
    harness.model->open(notes / "Latin.md");
    EXPECT_EQ(harness.model->page.get()->bodyHTML, paragraph("caf\xEF\xBF\xBD ok"));
    EXPECT_EQ(*harness.model->errorMessage, std::nullopt);
}

TEST(ReaderModelOpening, ANoteThatCannotBeReadShowsWhyInPlaceOfThePage) {
    NoteFolder notes({"A.md"});
    fs::create_directory(notes.folder / "Folder.md");
    ModelHarness harness;
    ReaderModel& model = *harness.model;
    model.open(notes / "A.md");
    model.open(notes / "Gone.md");
    EXPECT_EQ(*model.errorMessage, "Couldn't open \u201cGone.md\u201d. No such file or directory");
    EXPECT_EQ(*model.page, std::nullopt);
    EXPECT_TRUE(model.headings->empty());
    EXPECT_EQ(*model.file, notes / "Gone.md");
    EXPECT_EQ(*model.backStack, std::vector{notes / "A.md"});

    model.open(notes / "Folder.md");
    EXPECT_EQ(*model.errorMessage, "Couldn't open \u201cFolder.md\u201d. Is a directory");

    model.open(notes / "A.md");
    EXPECT_EQ(*model.errorMessage, std::nullopt);
    EXPECT_NE(*model.page, std::nullopt);
}

TEST(ReaderModelOpening, ASingleNoteResolvesAmongItsNeighbours) {
    NoteFolder notes({"Daily.md", "Other.md", ".Hidden.md", "sub/Deep.md"});
    ScratchFolder::write(notes.folder / "img.png", "");
    ModelHarness harness;
    ReaderModel& model = *harness.model;
    model.tree.set({{notes / "x.md", "x", {}}});
    model.openFile(notes / "Daily.md");

    EXPECT_EQ(*model.folder, std::nullopt);
    EXPECT_TRUE(model.tree->empty());
    EXPECT_EQ(model.title(), "Daily");
    EXPECT_TRUE(harness.recentFolders.empty());
    EXPECT_EQ(model.index->root(), url(notes.folder.path()));
    EXPECT_EQ(model.index->byName("other"), std::vector{notes / "Other.md"});
    EXPECT_EQ(model.index->byName("img.png"), std::vector{notes / "img.png"});
    EXPECT_EQ(model.index->byName("sub"), std::vector{notes / "sub"});
    EXPECT_TRUE(model.index->byName(".hidden").empty());
    EXPECT_TRUE(model.index->byName("deep").empty());
    EXPECT_TRUE(model.expandedFolders->empty());

    EXPECT_TRUE(model.contains(notes / "Daily.md"));
    EXPECT_FALSE(model.contains(notes / "Other.md"));
}

TEST(ReaderModelOpening, ContainsWhatLiesInsideTheFolderButNotTheFolder) {
    NoteFolder notes({"A.md"});
    ModelHarness harness;
    EXPECT_FALSE(harness.model->contains(notes / "A.md"));
    openFolder(harness, notes);
    const std::string root = notes.folder.path();
    const std::pair<std::string, bool> cases[] = {
        {root + "/A.md", true},        {root + "/sub/./B.md", true},
        {root + "/sub/../A.md", true}, {root, false},
        {root + "/", false},           {root + "x/A.md", false},
        {root + "/../A.md", false},
    };
    for (const auto& [path, contained] : cases)
        EXPECT_EQ(harness.model->contains(URL::fileURL(path)), contained) << path;
}

TEST(ReaderModelOpening, AppliesATargetByWhatStillExists) {
    NoteFolder notes({"README.md", "Plan.md"});
    ModelHarness harness;
    ReaderModel& model = *harness.model;

    model.apply({notes / "gone", notes / "moved.md"});
    harness.scheduler.runPosted();
    EXPECT_EQ(*model.folder, std::nullopt);
    EXPECT_EQ(*model.file, std::nullopt);

    model.apply({url(notes.folder.path()), notes / "deleted.md"});
    harness.scheduler.runPosted();
    EXPECT_EQ(*model.file, notes / "README.md");
    EXPECT_TRUE(model.matches({url(notes.folder.path()), notes / "README.md"}));

    model.apply({notes / "gone", notes / "Plan.md"});
    harness.scheduler.runPosted();
    EXPECT_EQ(*model.folder, std::nullopt);
    EXPECT_EQ(*model.file, notes / "Plan.md");
}

TEST(ReaderModelOpening, WhileEditingTheEditorMovesOnUnlessTheEditCannotBeSaved) {
    NoteFolder notes({"A.md", "B.md", "C.md"});
    ModelHarness harness;
    ReaderModel& model = *harness.model;
    model.openFile(notes / "A.md");
    model.beginEditSession(7);
    auto session = model.editSession.get();

    // A clean session is saved and the editor opens the next note at its first line.
    session->textDidChange("A edited");
    model.open(notes / "B.md", std::nullopt, true);
    EXPECT_EQ(ScratchFolder::read(notes.folder / "A.md"), "A edited");
    EXPECT_EQ(*model.file, notes / "B.md");
    ASSERT_NE(*model.editSession, nullptr);
    EXPECT_EQ(model.editSession.get()->url(), notes / "B.md");
    EXPECT_EQ(*model.editorStartLine, 1);
    EXPECT_EQ(*model.mode, ReaderModel::Mode::edit);

    // Unsaved edits over a file that changed on disk are not overwritten.
    session = model.editSession.get();
    session->textDidChange("mine");
    session->diskChanged("theirs");
    model.open(notes / "C.md", std::nullopt, true);
    EXPECT_EQ(harness.desktop.beeps, 1);
    EXPECT_EQ(*model.file, notes / "B.md");
    EXPECT_EQ(*model.editSession, session);
    EXPECT_EQ(*model.backStack, std::vector{notes / "A.md"});
}

} // namespace
} // namespace reader
