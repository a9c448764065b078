#include "reader/EditorBridge.hpp"

#include <gtest/gtest.h>

namespace reader {
namespace {

struct FakeTextView final : EditorTextView {
    explicit FakeTextView(std::optional<std::string> before) : before(std::move(before)) {}
    std::optional<std::string> textBeforePointBelowTop(double distance) const override {
        return distance == 60 ? before : std::nullopt;
    }
    void focus() override {}
    void performTextFinderAction(FinderAction) override {}
    std::optional<std::string> before;
};

TEST(EditorBridge, CountsEachKindOfLineBreakOnceAboveTheTopOfTheView) {
    const std::pair<std::optional<std::string>, int> cases[] = {
        {"# Title", 1}, {"a\nb\nc", 3},      {"a\r\nb\r\n", 3},
        {"a\rb\rc", 3}, {"a\n\r\nb\r\r", 5}, {std::nullopt, 1},
    };
    for (const auto& [before, expected] : cases) {
        EditorBridge bridge;
        auto view = std::make_shared<FakeTextView>(before);
        bridge.setTextView(view);
        EXPECT_EQ(bridge.topVisibleLine(), expected) << before.value_or("no layout");
        view.reset();
        EXPECT_EQ(bridge.topVisibleLine(), 1);
    }
}

} // namespace
} // namespace reader
