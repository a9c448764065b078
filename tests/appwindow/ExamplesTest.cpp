#include "WindowHarness.hpp"

namespace app {
namespace {

/// The notes that ship in examples/.
TEST_F(WindowTest, TheExamplesOpenAtTheirReadmeWithEveryNoteInTheSidebarAndFollowAWikilink) {
    auto& shown = open({markdown::URL::fileURL(std::string(LUMENLEAF_EXAMPLES_DIR)), std::nullopt});
    EXPECT_EQ(title(), "README");
    EXPECT_EQ(shown.noteView().shownPage(), NoteView::notePage);
    EXPECT_EQ(sidebarRows(), "-projects Callouts Code and diagrams Formatting README*");
    // The embedded picture beside the notes loads through the page's own scheme.
    EXPECT_TRUE(waitUntil([&] {
        return run("[...document.images].some(i => i.complete && i.naturalWidth > 0)") == true;
    }));

    run("document.querySelector('a.wikilink[href$=\"Formatting.md\"]').click()");
    ASSERT_TRUE(waitUntil([&] { return title() == "Formatting"; }));
    settle();
    EXPECT_EQ(heading(), "Formatting");
}

} // namespace
} // namespace app
