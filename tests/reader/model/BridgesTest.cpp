#include "reader/model/EditorBridge.hpp"
#include "reader/model/WebBridge.hpp"

#include "tests/reader/FakePage.hpp"

#include <gtest/gtest.h>

#include <limits>

namespace reader {
namespace {

using nlohmann::json;
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

TEST(WebBridge, WritesCallsAsOneExpressionAndTakesTopLinesOnlyAsNumbersTruncated) {
    EXPECT_EQ(WebBridge::call("mdr.find", {"say \"hi\"\n"}), R"(mdr.find("say \"hi\"\n"))");
    // Broken UTF-8 is replaced rather than losing the call.
    EXPECT_EQ(WebBridge::call("mdr.find", {"a\xFF"}), "mdr.find(\"a\xEF\xBF\xBD\")");
    // A number JSON cannot carry leaves the call without arguments.
    EXPECT_EQ(WebBridge::call("mdr.setAppearance", {"serif", nan, 37.0}), "mdr.setAppearance()");

    const std::pair<PageScripting::Result, int> cases[] = {
        {json("12"), 1},  {PageScripting::Error{"ReferenceError"}, 1},
        {json(1e300), 1},                   // too large for a line: not an undefined conversion
        {json(nan), 1},   {json(12.9), 12}, // last, so that the first line is told again below
    };
    std::optional<int> line;
    auto page = std::make_shared<FakePage>();
    {
        WebBridge bridge;
        bridge.setWebView(page);
        for (const auto& [result, expected] : cases) {
            line.reset();
            bridge.topLine([&](int answer) { line = answer; });
            page->answer(result);
            EXPECT_EQ(line, expected);
        }
        bridge.setWebView({});
        bridge.topLine([&](int answer) { line = answer; });
        EXPECT_EQ(line, 1);

        // An answer arriving after the bridge is gone still reaches the caller.
        bridge.setWebView(page);
        bridge.topLine([&](int answer) { line = answer; });
    }
    page->answer(json(30));
    EXPECT_EQ(line, 30);
}

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
