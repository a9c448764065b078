#include "notes/MainLoopScheduler.hpp"
#include "reader/ReaderModel.hpp"
#include "reader/ThreadRunner.hpp"

#include "ModelHarness.hpp"
#include "tests/notes/RunUntil.hpp"
#include "tests/notes/ScratchFolder.hpp"

#include <gtest/gtest.h>

namespace reader {
namespace {

using markdown::URL;
using notes::runUntil;
using notes::ScratchFolder;

TEST(ReaderModelMainLoop, ScansOnAThreadAndFollowsTheFolderThroughItsWatcher) {
    ScratchFolder folder;
    ScratchFolder::write(folder / "README.md", "readme");
    notes::MainLoopScheduler scheduler;
    ThreadRunner background;
    RecordingDesktop desktop;
    auto model = ReaderModel::create({
        scheduler,
        background,
        desktop,
        [](const std::string& text, const notes::RenderOptions&, const notes::LinkResolving&,
           const URL&) {
            return RenderedNote{text, {}};
        },
        [](const URL&) {},
    });

    model->openFolder(URL::fileURL(folder.path()), std::nullopt);
    ASSERT_TRUE(runUntil([&] { return model->page.get().has_value(); }));
    EXPECT_EQ(model->page.get()->bodyHTML, "readme");

    ScratchFolder::write(folder / "README.md", "changed elsewhere");
    ScratchFolder::write(folder / "New.md", "new");
    EXPECT_TRUE(runUntil([&] { return model->page.get()->bodyHTML == "changed elsewhere"; }));
    EXPECT_TRUE(runUntil([&] { return model->markdownFiles->size() == 2; }));
    EXPECT_FALSE(*model->isScanning);
}

} // namespace
} // namespace reader
