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
    ASSERT_EQ(*model.file, std::nullopt);
    handOver(); // only a folder: it is revealed
    model.open(plan);
    handOver();
    EXPECT_EQ(harness.desktop.revealed, (std::vector{notes, plan}));
    EXPECT_EQ(harness.desktop.openedURLs,
              std::vector<std::string>{"obsidian://open?path=" + folder.path().string() +
                                       "/My%20Notes/Plan%20B.md"});
    EXPECT_EQ(harness.desktop.openedElsewhere, std::vector{plan});
}

TEST(ReaderModelHandoff, WhetherObsidianIsInstalledIsAskedOnceForTheProcess) {
    ModelHarness first;
    const bool answer = first.model->isObsidianInstalled();
    // Installed or removed since: the answer stays, for every window.
    ModelHarness second;
    second.desktop.obsidianInstalled = !answer;
    EXPECT_EQ(second.model->isObsidianInstalled(), answer);
    EXPECT_EQ(second.desktop.obsidianQuestions, 0);
}

} // namespace
} // namespace reader
