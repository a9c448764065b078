#include "ModelHarness.hpp"

#include "notes/text/ReaderURL.hpp"

namespace reader {
namespace {

namespace fs = std::filesystem;
using markdown::URL;
using namespace std::string_literals;

// A folder of notes, each holding one line: its own name.
struct OpeningTest : ModelTest {
    OpeningTest() {
        make({"A.md", "B.md", "C.md", "Plan.md", "My Note.md", ".Hidden.md", "sub/deeper/Deep.md"});
        write("report.pdf", "%PDF");
    }
    void make(const std::vector<std::string>& names) const {
        for (const auto& name : names)
            write(name, fs::path(name).stem());
    }
    std::string link(const std::string& name) const { return notes::readerURL(note(name)); }
};

TEST_F(OpeningTest, StartsAtTheFolderStartNoteOrTheOneGivenThenFollowsLinksKeepingHistory) {
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"sub/readme.md", "home.md", "index.MD"}, "start1/index.MD"},
        {{"Home.md", "index.md", "ReadMe.md"}, "start2/ReadMe.md"},
        {{"HOME.md", "sub/index.md"}, "start3/HOME.md"},
        {{"Welcome.md"}, nullptr},
    };
    for (int i = 0; const auto& [files, expected] : cases) {
        const std::string dir = "start" + std::to_string(++i) + "/";
        for (const auto& file : files)
            make({dir + file});
        model.openFolder(note(dir), std::nullopt);
        settle();
        EXPECT_EQ(*model.file, expected ? std::optional(note(expected)) : std::nullopt);
    }

    // Opening a folder resets the window and notes the folder as recent.
    model.sidebarFilter.set("pl");
    model.openFolder(URL::fileURL(folder.path() / "sub" / ".."), note("sub/deeper/Deep.md"));
    EXPECT_EQ(std::tuple(model.sidebarFilter.get(), recentFolders.back()), std::tuple(""s, root()));
    settle();
    EXPECT_EQ(std::tuple(*model.folder, model.title()), std::tuple(std::optional(root()), "Deep"s));
    fs::path real = fs::canonical(folder.path());
    EXPECT_EQ(*model.expandedFolders,
              (std::set<std::string>{real / "sub", real / "sub" / "deeper"}));
    EXPECT_EQ(model.page.get()->bodyHTML, paragraph("Deep"));

    const std::string top = folder.path();
    EXPECT_TRUE(model.contains(URL::fileURL(top + "/sub/../A.md")));
    for (const auto& outside : {top + "x/A.md", top + "/../A.md"})
        EXPECT_FALSE(model.contains(URL::fileURL(outside))) << outside;

    // Links to notes, files and the web; only a note's own anchor scrolls in place.
    model.openFolder(root(), note("A.md"));
    settle();
    model.handleLink(link("B.md"));
    model.handleLink(link("C.md"));
    int pages = 0;
    model.page.connect([&] { ++pages; });
    model.handleLink(link("C.md") + "#intro");
    EXPECT_EQ(std::tuple(pages, page->sent.back()),
              std::tuple(0, R"(mdr.scrollToAnchor("intro"))"s));
    for (int i = 0; i < 3; ++i) // the last has nothing to go back to
        model.goBack();
    EXPECT_EQ(*model.file, note("A.md"));
    EXPECT_EQ(*model.forwardStack, (std::vector{note("C.md"), note("B.md")}));
    model.goForward();
    EXPECT_EQ(*model.file, note("B.md"));

    model.handleLink(link("Plan")); // as a wikilink is written: without extension
    EXPECT_EQ(std::tuple(*model.file, *model.backStack, model.forwardStack->size()),
              std::tuple(note("Plan.md"), std::vector{note("A.md"), note("B.md")}, 0u));
    model.handleLink(link("My Note.md") + "#my%20heading");
    settle();
    EXPECT_EQ(std::tuple(*model.file, model.page.get()->anchor),
              std::tuple(std::optional(note("My Note.md")), std::optional("my heading"s)));

    for (const auto& elsewhere : {link("Gone.md"), std::string("mdreader://local/broken%ZZ.md"),
                                  link("report.pdf"), std::string("mailto:ada@example.org")})
        model.handleLink(elsewhere);
    EXPECT_EQ(std::tuple(desktop.beeps, desktop.openedFiles, desktop.openedURLs),
              std::tuple(2, std::vector{note("report.pdf")},
                         std::vector<std::string>{"mailto:ada@example.org"}));
}

// Handing over a note is left to the window's tests.
TEST_F(OpeningTest, HandsOverWhatIsOpenOpensWhatATargetKeepsAndSaysWhyANoteCannotBeRead) {
    for (int i = 0; i < 2; ++i) { // with nothing open, then only a folder: it is revealed
        model.revealInFinder();
        model.openInObsidian();
        model.openInDefaultEditor();
        model.openFolder(root(), std::nullopt);
        settle();
    }
    EXPECT_EQ(
        std::tuple(desktop.revealed, desktop.openedURLs.size(), desktop.openedElsewhere.size()),
        std::tuple(std::vector{root()}, 0u, 0u));

    // Installed or removed since: the first answer stays, for every window.
    const bool answer = model.isObsidianInstalled();
    desktop.obsidianInstalled = !answer;
    auto second = ReaderModel::create(
        {scheduler, background, desktop, [](auto&&...) { return RenderedNote{}; }, [](auto&&) {}});
    EXPECT_EQ(second->isObsidianInstalled(), answer);

    // A target opens what still exists; a note alone resolves among its neighbours.
    make({"README.md"});
    model.tree.set({{note("x.md"), "x", {}}});
    model.apply({note("gone"), note("moved.md")});
    settle();
    EXPECT_EQ(*model.file, std::nullopt);
    model.apply({note("gone"), note("A.md")}); // noted as recent: only the two openings above
    EXPECT_EQ(std::tuple(*model.folder, *model.file, model.tree->size(), recentFolders.size()),
              std::tuple(std::nullopt, note("A.md"), 0u, 2u));
    EXPECT_EQ(std::tuple(model.index->byName("plan"), model.index->byName("deep").size(),
                         model.index->byName(".hidden").size(), model.contains(note("B.md"))),
              std::tuple(std::vector{note("Plan.md")}, 0u, 0u, false));

    // A note that cannot be read shows why, and broken UTF-8 is replaced.
    write("Latin.md", "caf\xE9 ok");
    model.open(note("A.md"));
    model.open(note("Gone.md"));
    EXPECT_EQ(std::tuple(*model.errorMessage, *model.page, *model.file),
              std::tuple("Couldn't open \u201cGone.md\u201d. No such file or directory"s,
                         std::nullopt, note("Gone.md")));

    // Too large to show: not read, let alone rendered (the window shows the message).
    write("Huge.md", "");
    fs::resize_file(folder / "Huge.md", ReaderModel::largestShownNote + 1);
    model.open(note("Huge.md"));
    EXPECT_TRUE(*model.isTooLarge && !*model.page);

    model.open(note("Latin.md"));
    settle();
    EXPECT_EQ(std::tuple(*model.errorMessage, *model.isTooLarge, model.page.get()->bodyHTML),
              std::tuple(std::nullopt, false, paragraph("caf\xEF\xBF\xBD ok")));
}

} // namespace
} // namespace reader
