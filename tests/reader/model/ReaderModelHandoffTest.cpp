#include "ModelHarness.hpp"

namespace reader {
namespace {

using markdown::URL;
using HandoffTest = ModelTest;

TEST_F(HandoffTest, EachHandoffCommandHandsOverWhatIsOpenAndNothingWithoutIt) {
    write("My Notes/Plan B.md", "plan\n");
    const URL notes = note("My Notes"), plan = note("My Notes/Plan B.md");
    const auto handOver = [&] {
        model.revealInFinder();
        model.openInObsidian();
        model.openInDefaultEditor();
    };
    handOver(); // nothing open
    model.openFolder(notes, std::nullopt);
    settle();
    handOver(); // only a folder: it is revealed
    model.open(plan);
    handOver();
    EXPECT_EQ(desktop.revealed, (std::vector{notes, plan}));
    EXPECT_EQ(desktop.openedURLs,
              std::vector<std::string>{"obsidian://open?path=" + folder.path().string() +
                                       "/My%20Notes/Plan%20B.md"});
    EXPECT_EQ(desktop.openedElsewhere, std::vector{plan});
}

TEST_F(HandoffTest, WhetherObsidianIsInstalledIsAskedOnceForTheProcess) {
    const bool answer = model.isObsidianInstalled();
    const int asked = desktop.obsidianQuestions;
    // Installed or removed since: the answer stays, for every window.
    desktop.obsidianInstalled = !answer;
    auto second = ReaderModel::create(
        {scheduler, background, desktop, [](auto&&...) { return RenderedNote{}; }, [](auto&&) {}});
    EXPECT_EQ(second->isObsidianInstalled(), answer);
    EXPECT_EQ(desktop.obsidianQuestions, asked);
}

} // namespace
} // namespace reader
