#include "reader/model/EditorBridge.hpp"

#include "tests/reader/FakePage.hpp"

#include <gtest/gtest.h>

namespace reader {
namespace {

TEST(EditorBridge, CountsEachKindOfLineBreakOnceAboveTheTopOfTheView) {
    const std::pair<std::optional<std::string>, int> cases[] = {
        {"# Title", 1}, {"a\nb\nc", 3},      {"a\r\nb\r\n", 3},
        {"a\rb\rc", 3}, {"a\n\r\nb\r\r", 5}, {std::nullopt, 1},
    };
    for (const auto& [before, expected] : cases) {
        EditorBridge bridge;
        auto view = std::make_shared<FakeTextView>();
        view->before = before;
        bridge.setTextView(view);
        EXPECT_EQ(bridge.topVisibleLine(), expected) << before.value_or("no layout");
        view.reset();
        EXPECT_EQ(bridge.topVisibleLine(), 1);
    }
}

} // namespace
} // namespace reader
