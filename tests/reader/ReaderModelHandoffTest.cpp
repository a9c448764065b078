#include "ModelHarness.hpp"

#include "tests/notes/ScratchFolder.hpp"

#include <gtest/gtest.h>

#include <filesystem>

namespace reader {
namespace {

namespace fs = std::filesystem;
using markdown::URL;
using notes::ScratchFolder;

struct Handoff {
    explicit Handoff(const char* name = "My Notes") : notes(folder / name) {
        fs::create_directories(notes);
        ScratchFolder::write(notes / "Plan B.md", "plan\n");
    }

    [[nodiscard]] URL note() const { return URL::fileURL(notes / "Plan B.md"); }

    ScratchFolder folder;
    fs::path notes;
    ModelHarness harness;
};

TEST(ReaderModelHandoff, RevealsTheNoteElseTheFolderElseNothing) {
    Handoff nothing;
    nothing.harness.model->revealInFinder();
    EXPECT_TRUE(nothing.harness.desktop.revealed.empty());

    Handoff onlyFolder;
    onlyFolder.harness.model->openFolder(URL::fileURL(onlyFolder.notes), std::nullopt);
    onlyFolder.harness.scheduler.runPosted();
    ASSERT_EQ(*onlyFolder.harness.model->file, std::nullopt);
    onlyFolder.harness.model->revealInFinder();
    EXPECT_EQ(onlyFolder.harness.desktop.revealed,
              std::vector<URL>{URL::fileURL(onlyFolder.notes)});

    Handoff noteInFolder;
    noteInFolder.harness.model->openFolder(URL::fileURL(noteInFolder.notes), noteInFolder.note());
    noteInFolder.harness.scheduler.runPosted();
    noteInFolder.harness.model->revealInFinder();
    EXPECT_EQ(noteInFolder.harness.desktop.revealed, std::vector<URL>{noteInFolder.note()});
}

TEST(ReaderModelHandoff, ObsidianAndTheDefaultEditorNeedAnOpenNote) {
    Handoff onlyFolder;
    auto& model = *onlyFolder.harness.model;
    model.openFolder(URL::fileURL(onlyFolder.notes), std::nullopt);
    onlyFolder.harness.scheduler.runPosted();
    model.openInObsidian();
    model.openInDefaultEditor();
    EXPECT_TRUE(onlyFolder.harness.desktop.openedURLs.empty());
    EXPECT_TRUE(onlyFolder.harness.desktop.openedElsewhere.empty());

    model.open(onlyFolder.note());
    model.openInObsidian();
    model.openInDefaultEditor();
    EXPECT_EQ(onlyFolder.harness.desktop.openedURLs,
              std::vector<std::string>{"obsidian://open?path=" + onlyFolder.folder.path().string() +
                                       "/My%20Notes/Plan%20B.md"});
    EXPECT_EQ(onlyFolder.harness.desktop.openedElsewhere, std::vector<URL>{onlyFolder.note()});
    // Handing over changes nothing in the window.
    EXPECT_EQ(*model.file, onlyFolder.note());
    EXPECT_EQ(onlyFolder.harness.desktop.beeps, 0);
}

TEST(ReaderModelHandoff, TheObsidianPathIsOneQueryValue) {
    struct Case {
        const char* path;
        const char* url;
    };
    for (const auto& [path, url] : {
             Case{"/notes/a b.md", "obsidian://open?path=/notes/a%20b.md"},
             // Characters that would end the value or the address are encoded.
             Case{"/R&D/#1 50%?.md", "obsidian://open?path=/R%26D/%231%2050%25?.md"},
             Case{"/x=y;z+(1).md", "obsidian://open?path=/x=y;z+(1).md"},
             Case{"/Café.md", "obsidian://open?path=/Caf%C3%A9.md"},
         }) {
        EXPECT_EQ(ReaderModel::obsidianURL(URL::fileURL(std::string(path))), url) << path;
    }
}

TEST(ReaderModelHandoff, WhetherObsidianIsInstalledIsAskedOnceForTheProcess) {
    ModelHarness first;
    const bool answer = first.model->isObsidianInstalled();
    // Installed or removed since: the answer stays, for every window.
    first.desktop.obsidianInstalled = !answer;
    EXPECT_EQ(first.model->isObsidianInstalled(), answer);
    ModelHarness second;
    second.desktop.obsidianInstalled = !answer;
    EXPECT_EQ(second.model->isObsidianInstalled(), answer);
    EXPECT_LE(first.desktop.obsidianQuestions, 1);
    EXPECT_EQ(second.desktop.obsidianQuestions, 0);
}

} // namespace
} // namespace reader
