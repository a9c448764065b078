#include "ModelHarness.hpp"

#include "tests/notes/ScratchFolder.hpp"

#include <gtest/gtest.h>

#include <filesystem>

namespace reader {
namespace {

namespace fs = std::filesystem;
using markdown::URL;
using notes::ScratchFolder;

TEST(ReaderModelHandoff, EachCommandHandsOverWhatIsOpenAndNothingWithoutIt) {
    ScratchFolder folder;
    const fs::path notes = folder / "My Notes";
    fs::create_directories(notes);
    ScratchFolder::write(notes / "Plan B.md", "plan\n");
    const URL note = URL::fileURL(notes / "Plan B.md");
    ModelHarness harness;
    auto& model = *harness.model;
    auto& desktop = harness.desktop;
    const auto handOver = [&] {
        model.revealInFinder();
        model.openInObsidian();
        model.openInDefaultEditor();
    };

    // With only a folder, the folder is revealed.
    model.openFolder(URL::fileURL(notes), std::nullopt);
    harness.scheduler.runPosted();
    ASSERT_EQ(*model.file, std::nullopt);
    handOver();
    EXPECT_EQ(desktop.revealed, std::vector<URL>{URL::fileURL(notes)});
    EXPECT_TRUE(desktop.openedURLs.empty());

    model.open(note);
    handOver();
    EXPECT_EQ(desktop.revealed, (std::vector<URL>{URL::fileURL(notes), note}));
    EXPECT_EQ(desktop.openedURLs,
              std::vector<std::string>{"obsidian://open?path=" + folder.path().string() +
                                       "/My%20Notes/Plan%20B.md"});
    EXPECT_EQ(desktop.openedElsewhere, std::vector<URL>{note});
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
