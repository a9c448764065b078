#include "ModelHarness.hpp"

#include "tests/notes/ScratchFolder.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

namespace reader {
namespace {

using markdown::URL;
using notes::ScratchFolder;

URL url(const std::string& path) {
    return URL::fileURL(path);
}

TEST(ReaderModel, StartsEmptyInReadingMode) {
    ModelHarness harness;
    const ReaderModel& model = *harness.model;
    EXPECT_EQ(model.title(), "Lumenleaf");
    EXPECT_EQ(*model.folder, std::nullopt);
    EXPECT_EQ(*model.file, std::nullopt);
    EXPECT_EQ(*model.page, std::nullopt);
    EXPECT_EQ(*model.mode, ReaderModel::Mode::read);
    EXPECT_EQ(*model.editSession, nullptr);
    EXPECT_TRUE(model.backStack->empty());
    EXPECT_EQ(model.editor.textView(), nullptr);
    EXPECT_EQ(model.web.webView(), nullptr);
}

TEST(ReaderModel, NotifiesOnlyWhenAComparableFieldChanges) {
    ModelHarness harness;
    ReaderModel& model = *harness.model;
    struct Case {
        const char* field;
        std::function<std::shared_ptr<int>()> watch;
        std::function<void()> storeSame;
        std::function<void()> storeOther;
    };
    auto of = [](auto& field) { return [&field] { return countNotifications(field); }; };
    const Case cases[] = {
        {"currentHeadingID", of(model.currentHeadingID), [&] { model.currentHeadingID.set({}); },
         [&] { model.currentHeadingID.set("intro"); }},
        {"folder", of(model.folder), [&] { model.folder.set({}); },
         [&] { model.folder.set(url("/n")); }},
        {"mode", of(model.mode), [&] { model.mode.set(ReaderModel::Mode::read); },
         [&] { model.mode.set(ReaderModel::Mode::edit); }},
        {"findStatus", of(model.findStatus), [&] { model.findStatus.set({}); },
         [&] {
             model.findStatus.set({1, 2});
         }},
    };
    for (const auto& c : cases) {
        auto count = c.watch();
        c.storeSame();
        EXPECT_EQ(*count, 0) << c.field;
        c.storeOther();
        c.storeOther();
        EXPECT_EQ(*count, 1) << c.field;
    }
}

TEST(ReaderModel, IndexSessionAndInPlaceChangesAlwaysNotify) {
    ModelHarness harness;
    ReaderModel& model = *harness.model;
    auto index = countNotifications(model.index);
    auto session = countNotifications(model.editSession);
    auto back = countNotifications(model.backStack);

    notes::LinkIndex same(url("/n"), {url("/n/a.md")});
    model.index.set(same);
    model.index.set(same);
    model.editSession.set(nullptr);
    model.backStack.modify([](auto& stack) { stack.clear(); });

    EXPECT_EQ(*index, 2);
    EXPECT_EQ(*session, 1);
    EXPECT_EQ(*back, 1);
}

TEST(ReaderModel, TitleIsTheNoteWithoutItsLastExtensionElseTheFolder) {
    ModelHarness harness;
    ReaderModel& model = *harness.model;
    model.folder.set(url("/home/ada/Notes"));
    EXPECT_EQ(model.title(), "Notes");
    model.file.set(url("/home/ada/Notes/Plan.old.md"));
    EXPECT_EQ(model.title(), "Plan.old");
    model.folder.set(std::nullopt);
    model.file.set(url("/home/ada/Daily.md"));
    EXPECT_EQ(model.title(), "Daily");
}

TEST(ReaderPage, EqualOnlyWhenEveryFieldIsAndANaNOffsetEqualsNothing) {
    const ReaderPage page{url("/n/a.md"), "<p>a</p>", 3, "intro", 120.0, std::nullopt};
    ReaderPage same = page;
    ReaderPage later = page;
    later.revision = 4;
    ReaderPage lost = page;
    lost.scroll = std::numeric_limits<double>::quiet_NaN();

    EXPECT_EQ(page, same);
    EXPECT_NE(page, later);
    EXPECT_NE(lost, lost);
}

TEST(ReaderModel, ChangedRenderOptionsRenderTheOpenNoteAgainEqualOnesDoNothing) {
    ScratchFolder folder;
    ScratchFolder::write(folder / "a.md", "# A\n");
    ModelHarness harness;
    ReaderModel& model = *harness.model;
    auto notified = countNotifications(model.renderOptions);

    // With no note open the options are only stored.
    model.renderOptions.set({notes::FrontmatterMode::hidden, false});
    EXPECT_EQ(*notified, 1);
    EXPECT_TRUE(harness.renders.empty());
    EXPECT_EQ(*model.page, std::nullopt);

    model.file.set(URL::fileURL(folder / "a.md"));
    model.refreshPage(false);
    ASSERT_EQ(harness.renders.size(), 1u);
    model.renderOptions.set({notes::FrontmatterMode::hidden, false});
    EXPECT_EQ(harness.renders.size(), 1u);
    EXPECT_EQ(*notified, 1);

    // The text has not changed, yet the page is made again with the new options.
    model.renderOptions.set({notes::FrontmatterMode::hidden, true});
    ASSERT_EQ(harness.renders.size(), 2u);
    EXPECT_TRUE(harness.renders[1].options.softBreaksAsLineBreaks);
    EXPECT_EQ(model.page.get()->revision, 2);
}

TEST(ReaderModel, MatchesATargetOnlyAsWrittenInStandardForm) {
    ModelHarness harness;
    ReaderModel& model = *harness.model;
    model.folder.set(url("/n"));
    model.file.set(url("/n/a.md"));
    EXPECT_TRUE(model.matches({url("/n"), url("/n/a.md")}));
    EXPECT_FALSE(model.matches({url("/n/."), url("/n/a.md")}));
    EXPECT_FALSE(model.matches({url("/n"), std::nullopt}));
    EXPECT_FALSE(model.matches({std::nullopt, url("/n/a.md")}));
}

} // namespace
} // namespace reader
