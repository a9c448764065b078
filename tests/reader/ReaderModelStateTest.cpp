#include "ModelHarness.hpp"

#include <gtest/gtest.h>

#include <limits>

namespace reader {
namespace {

using markdown::URL;

URL url(const std::string& path) {
    return URL::fileURL(path);
}

TEST(ReaderModel, NotifiesOnChangeOfAComparableFieldAndOnEveryStoreOfTheOthers) {
    ModelHarness harness;
    ReaderModel& model = *harness.model;
    auto folder = countNotifications(model.folder);
    auto index = countNotifications(model.index);
    auto back = countNotifications(model.backStack);

    model.folder.set({});
    model.folder.set(url("/n"));
    model.folder.set(url("/n"));
    notes::LinkIndex same(url("/n"), {url("/n/a.md")});
    model.index.set(same);
    model.index.set(same);
    model.backStack.modify([](auto& stack) { stack.clear(); });

    EXPECT_EQ(*folder, 1);
    EXPECT_EQ(*index, 2);
    EXPECT_EQ(*back, 1);
}

TEST(ReaderModel, TitleIsTheNoteWithoutItsLastExtensionElseTheFolder) {
    ModelHarness harness;
    ReaderModel& model = *harness.model;
    EXPECT_EQ(model.title(), "Lumenleaf");
    model.folder.set(url("/home/ada/Notes"));
    EXPECT_EQ(model.title(), "Notes");
    model.file.set(url("/home/ada/Notes/Plan.old.md"));
    EXPECT_EQ(model.title(), "Plan.old");
}

TEST(ReaderPage, EqualOnlyWhenEveryFieldIsAndANaNOffsetEqualsNothing) {
    const ReaderPage page{url("/n/a.md"), "<p>a</p>", 3, "intro", 120.0, std::nullopt};
    ReaderPage later = page;
    later.revision = 4;
    ReaderPage lost = page;
    lost.scroll = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(page, ReaderPage(page));
    EXPECT_NE(page, later);
    EXPECT_NE(lost, lost);
}

TEST(ReaderModel, MatchesATargetOnlyAsWrittenInStandardForm) {
    ModelHarness harness;
    ReaderModel& model = *harness.model;
    model.folder.set(url("/n"));
    model.file.set(url("/n/a.md"));
    EXPECT_TRUE(model.matches({url("/n"), url("/n/a.md")}));
    EXPECT_FALSE(model.matches({url("/n/."), url("/n/a.md")}));
    EXPECT_FALSE(model.matches({url("/n"), std::nullopt}));
}

} // namespace
} // namespace reader
