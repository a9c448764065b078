#include "notes/MainLoopScheduler.hpp"
#include "reader/ThreadRunner.hpp"

#include "ModelHarness.hpp"
#include "tests/notes/RunUntil.hpp"

#include <gtest/gtest.h>

namespace reader {
namespace {

using notes::runUntil;

TEST_F(ModelTest, ScansOnAThreadAndFollowsTheFolderThroughItsWatcher) {
    write("README.md", "readme");
    notes::MainLoopScheduler scheduler;
    ThreadRunner background;
    auto live =
        ReaderModel::create({scheduler, background, harness.desktop,
                             [](const std::string& text, const auto&, const auto&, const auto&) {
                                 return RenderedNote{text, {}};
                             },
                             [](const auto&) {}});
    live->openFolder(root(), std::nullopt);
    ASSERT_TRUE(runUntil([&] { return live->page.get().has_value(); }));
    EXPECT_EQ(live->page.get()->bodyHTML, "readme");

    write("README.md", "changed elsewhere");
    write("New.md", "new");
    EXPECT_TRUE(runUntil([&] { return live->page.get()->bodyHTML == "changed elsewhere"; }));
    EXPECT_TRUE(runUntil([&] { return live->markdownFiles->size() == 2; }));
    EXPECT_FALSE(*live->isScanning);
}

} // namespace
} // namespace reader
