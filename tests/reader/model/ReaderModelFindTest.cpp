#include "ModelHarness.hpp"

namespace reader {
namespace {

using FindTest = ModelTest;

nlohmann::json status(double current, int count) {
    return {{"current", current}, {"count", count}};
}

TEST_F(FindTest, ShowsTheBarThenPublishesTheNewestCountsAndClosingKeepsTheQuery) {
    int focused = 0;
    model.web.setFocusFindField([&] { ++focused; });
    model.findNext(true); // with the bar hidden: only shows it
    EXPECT_EQ(std::tuple(*model.isFindVisible, focused, page->awaited.size()),
              std::tuple(true, 1, 0u));

    model.findQuery.set("two \"words\"");
    model.find();
    model.findNext(true);
    model.findStep(false);
    page->answer(status(3, 3), 2);
    EXPECT_EQ(page->awaited,
              (std::vector<std::string>{R"(mdr.find("two \"words\""))", "mdr.findStep(true)",
                                        "mdr.findStep(false)"}));
    EXPECT_EQ(*model.findStatus, (FindStatus{3, 3}));
    model.findStep(true);
    page->answer(status(2.5, 3), 2); // only whole numbers count
    EXPECT_EQ(*model.findStatus, (FindStatus{0, 3}));

    model.closeFind();
    EXPECT_EQ(std::tuple(*model.isFindVisible, *model.findStatus, *model.findQuery),
              std::tuple(false, FindStatus{0, 0}, "two \"words\""));
    EXPECT_EQ(page->sent, std::vector<std::string>{"mdr.clearFind()"});

    // Mended: answers were applied as they arrived, so a slow answer to an older query replaced
    // the answer to the query the user had typed since.
    model.find();
    model.find();
    page->answer(status(1, 2), 3);
    page->answer(status(1, 9), 2);
    EXPECT_EQ(*model.findStatus, (FindStatus{1, 2}));
    // Nor does one that arrives after the bar was closed.
    model.find();
    model.closeFind();
    page->answer(status(1, 2), 2);
    EXPECT_EQ(*model.findStatus, (FindStatus{0, 0}));
}

} // namespace
} // namespace reader
