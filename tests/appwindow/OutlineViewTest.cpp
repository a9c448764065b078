#include "WindowHarness.hpp"

namespace app {
namespace {

TEST_F(WindowTest, TheOutlineListsTheHeadingsScrollsToThePickedOneAndRemembersItsToggle) {
    writeNote("a.md", "# Top\n" + tallText + "# Middle\n" + tallText + "# Bottom\n" + tallText);
    writeNote("b.md", "# Only\n");
    writeSettings("showOutline=true\n");
    auto& shown = open(folderTarget("a.md"));
    EXPECT_TRUE(shown.outline().get_visible());
    EXPECT_EQ(shown.outline().rowTexts(), (std::vector<std::string>{"Top", "Middle", "Bottom"}));

    shown.outline().pick(1);
    ASSERT_TRUE(waitUntil([&] {
        return run("Math.abs(document.getElementById('middle').getBoundingClientRect().top) < "
                   "80") == true;
    }));
    ASSERT_TRUE(waitUntil([&] { return shown.model().currentHeadingID.get() == "middle"; }));
    EXPECT_EQ(shown.outline().selectedID(), "middle");
    // The reader scrolls on: the page reports the heading that is now at the top.
    run("window.dispatchEvent(new WheelEvent('wheel')); "
        "window.scrollTo(0, document.getElementById('bottom').offsetTop)");
    ASSERT_TRUE(waitUntil([&] { return shown.outline().selectedID() == "bottom"; }));

    shown.model().open(note("b.md"));
    settle();
    EXPECT_EQ(shown.outline().rowTexts(), (std::vector<std::string>{"Only"}));
    ASSERT_TRUE(shown.activate_action("win.toggle-outline"));
    EXPECT_FALSE(shown.outline().get_visible());
    EXPECT_EQ(notes::Settings(settingsFolder / "settings.ini").boolean("showOutline"), false);
}

} // namespace
} // namespace app
