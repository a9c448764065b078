#include "WindowHarness.hpp"

namespace app {
namespace {

/// The notes that ship in examples/.
TEST_F(WindowTest, TheExamplesOpenAtTheirReadmeWithEveryNoteInTheSidebarAndFollowAWikilink) {
    const auto example = [](const std::string& name) {
        return markdown::URL::fileURL(std::filesystem::path(LUMENLEAF_EXAMPLES_DIR) / name);
    };
    auto& shown = open({markdown::URL::fileURL(std::string(LUMENLEAF_EXAMPLES_DIR)), std::nullopt});
    EXPECT_EQ(title(), "README");
    EXPECT_EQ(shown.noteView().shownPage(), NoteView::notePage);
    std::vector<std::string> names;
    for (const auto& row : shown.sidebar().rows())
        names.push_back(row.name);
    EXPECT_EQ(names, (std::vector<std::string>{"projects", "Callouts", "Code and diagrams",
                                               "Formatting", "README"}));
    ASSERT_EQ(shown.model().file.get(), example("README.md"));
    // The embedded picture beside the notes loads through the page's own scheme.
    EXPECT_TRUE(waitUntil([&] {
        return run("[...document.images].some(i => i.complete && i.naturalWidth > 0)") == true;
    }));

    run("document.querySelector('a.wikilink[href$=\"Formatting.md\"]').click()");
    ASSERT_TRUE(waitUntil([&] { return shown.model().file.get() == example("Formatting.md"); }));
    settle();
    EXPECT_EQ(title(), "Formatting");
    EXPECT_EQ(run("document.querySelector('#content h1').textContent"), "Formatting");
}

} // namespace
} // namespace app
