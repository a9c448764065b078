#include "reader/model/WebBridge.hpp"

#include "tests/reader/FakePage.hpp"

#include <gtest/gtest.h>

#include <limits>

namespace reader {
namespace {

using nlohmann::json;
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

TEST(WebBridge, WritesCallsAsOneScriptExpressionWithCompactJSONArguments) {
    EXPECT_EQ(WebBridge::call("mdr.find", {"say \"hi\"\n"}), R"(mdr.find("say \"hi\"\n"))");
    // Broken UTF-8 is replaced rather than losing the call.
    EXPECT_EQ(WebBridge::call("mdr.find", {"a\xFF"}), "mdr.find(\"a\xEF\xBF\xBD\")");
    // A number JSON cannot carry leaves the call without arguments.
    EXPECT_EQ(WebBridge::call("mdr.setAppearance", {"serif", nan, 37.0}), "mdr.setAppearance()");
}

TEST(WebBridge, TopLineTakesOnlyNumbersTruncatedAndElseTheFirstLine) {
    const std::pair<PageScripting::Result, int> cases[] = {
        {json(12.9), 12}, {json("12"), 1}, {PageScripting::Error{"ReferenceError"}, 1},
        {json(1e300), 1}, // too large for a line: not an undefined conversion
        {json(nan), 1},
    };
    std::optional<int> line;
    for (const auto& [result, expected] : cases) {
        WebBridge bridge;
        auto page = std::make_shared<FakePage>();
        bridge.setWebView(page);
        line.reset();
        bridge.topLine([&](int answer) { line = answer; });
        EXPECT_EQ(page->awaited, std::vector<std::string>{"mdr.topLine()"});
        page->answer(result);
        EXPECT_EQ(line, expected);
    }
    line.reset();
    WebBridge().topLine([&](int answer) { line = answer; });
    EXPECT_EQ(line, 1);

    // An answer arriving after the bridge is gone still reaches the caller.
    auto page = std::make_shared<FakePage>();
    {
        WebBridge bridge;
        bridge.setWebView(page);
        bridge.topLine([&](int answer) { line = answer; });
    }
    page->answer(json(30));
    EXPECT_EQ(line, 30);
}

TEST(WebBridge, DispatchesOnlyWellFormedMessages) {
    const auto file = markdown::URL::fileURL(std::string("/n/Plan.md"));
    const std::tuple<json, bool, std::string> cases[] = {
        {{{"type", "heading"}, {"id", 3}}, true, "heading none"},
        {{{"type", "scroll"}, {"y", nan}}, true, ""},
        {{{"type", "copy"}, {"text", "two\nlines"}}, true, "copy two\nlines"},
    };
    for (const auto& [body, loaded, expected] : cases) {
        WebBridge bridge;
        std::string log;
        bridge.headingChanged.connect(
            [&](const std::optional<std::string>& id) { log += "heading " + id.value_or("none"); });
        bridge.scrolled.connect([&](const markdown::URL&, double) { log += "scroll"; });
        bridge.copyRequested.connect([&](const std::string& text) { log += "copy " + text; });
        bridge.dispatchMessage(body, loaded ? std::optional(file) : std::nullopt);
        EXPECT_EQ(log, expected) << body.dump();
    }
}

} // namespace
} // namespace reader
