#include "reader/WebBridge.hpp"

#include "FakePage.hpp"

#include <gtest/gtest.h>

#include <limits>

namespace reader {
namespace {

using nlohmann::json;
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

// What a bridge over a fresh page hands on when the page answers `asked` with `result`.
template <typename Answer, typename Ask>
std::optional<Answer> answered(const PageScripting::Result& result, Ask ask,
                               const std::string& asked) {
    WebBridge bridge;
    auto page = std::make_shared<FakePage>();
    bridge.setWebView(page);
    std::optional<Answer> answer;
    ask(bridge, [&](Answer value) { answer = value; });
    EXPECT_EQ(page->awaited, std::vector<std::string>{asked});
    page->answer(result);
    return answer;
}

TEST(WebBridge, WritesCallsAsOneScriptExpressionWithCompactJSONArguments) {
    const std::pair<std::string, std::string> cases[] = {
        {WebBridge::call("mdr.clearFind", {}), "mdr.clearFind()"},
        {WebBridge::call("mdr.find", {"say \"hi\"\n"}), R"(mdr.find("say \"hi\"\n"))"},
        {WebBridge::call("mdr.findStep", {false}), "mdr.findStep(false)"},
        // Broken UTF-8 is replaced rather than losing the call.
        {WebBridge::call("mdr.find", {"a\xFF"}), "mdr.find(\"a\xEF\xBF\xBD\")"},
        // A number JSON cannot carry leaves the call without arguments.
        {WebBridge::call("mdr.setAppearance", {"serif", nan, 37.0}), "mdr.setAppearance()"},
    };
    for (const auto& [written, expected] : cases)
        EXPECT_EQ(written, expected);
}

// Content and appearance calls are checked through the coordinator that sends them.
TEST(WebBridge, SendsCallsWithoutResultAndDropsThemOnceThePageIsGone) {
    WebBridge bridge;
    auto page = std::make_shared<FakePage>();
    bridge.setWebView(page);
    bridge.scrollToAnchor("intro");
    bridge.scrollToLine(40);
    EXPECT_EQ(page->sent,
              (std::vector<std::string>{R"(mdr.scrollToAnchor("intro"))", "mdr.scrollToLine(40)"}));
    page.reset();
    EXPECT_EQ(bridge.webView(), nullptr);
    bridge.scrollToLine(1);
}

TEST(WebBridge, TopLineTakesOnlyNumbersTruncatedAndElseTheFirstLine) {
    const std::pair<PageScripting::Result, int> cases[] = {
        {json(12.9), 12},   {json(-2.5), -2}, {json("12"), 1},
        {json(nullptr), 1}, {json(false), 0}, {PageScripting::Error{"ReferenceError"}, 1},
        {json(1e300), 1}, // too large for a line: not an undefined conversion
        {json(nan), 1},
    };
    auto topLine = [](WebBridge& bridge, auto done) { bridge.topLine(done); };
    for (const auto& [result, expected] : cases)
        EXPECT_EQ(answered<int>(result, topLine, "mdr.topLine()"), expected) << expected;

    std::optional<int> line;
    WebBridge().topLine([&](int answer) { line = answer; });
    EXPECT_EQ(line, 1);
}

TEST(WebBridge, EvaluateReadsExactWholeNumbersOfAnObjectAnswer) {
    const std::pair<PageScripting::Result, FindStatus> cases[] = {
        {json{{"current", 2}}, {2, 0}},
        {json{{"current", 1.5}, {"count", 4}}, {0, 4}},
        {json{{"current", "2"}, {"count", 3.0}}, {0, 3}},
        {json{{"current", 1}, {"count", 1e12}}, {1, 0}},
        {json::array({2, 3}), {0, 0}},
        {PageScripting::Error{"TypeError"}, {0, 0}},
    };
    auto find = [](WebBridge& bridge, auto done) { bridge.evaluate("mdr.find", {"a"}, done); };
    for (const auto& [result, expected] : cases)
        EXPECT_EQ(answered<FindStatus>(result, find, R"(mdr.find("a"))"), expected)
            << expected.current << ' ' << expected.count;

    std::optional<FindStatus> status;
    WebBridge().evaluate("mdr.findStep", {true}, [&](FindStatus answer) { status = answer; });
    EXPECT_EQ(status, FindStatus{});
}

TEST(WebBridge, AnswerArrivingAfterTheBridgeIsGoneStillReachesTheCaller) {
    auto page = std::make_shared<FakePage>();
    std::optional<int> line;
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
        {{{"type", "heading"}, {"id", "setup"}}, true, "heading setup"},
        {{{"type", "heading"}, {"id", 3}}, true, "heading none"},
        {{{"type", "Heading"}, {"id", "setup"}}, true, ""},
        {{{"type", "scroll"}, {"y", 300}}, true, "scroll /n/Plan.md 300"},
        {{{"type", "scroll"}, {"y", 120.5}}, false, ""},
        {{{"type", "scroll"}, {"y", "120"}}, true, ""},
        {{{"type", "scroll"}, {"y", nan}}, true, ""},
        {{{"type", "copy"}, {"text", "two\nlines"}}, true, "copy two\nlines"},
        {{{"type", "copy"}, {"text", 42}}, true, ""},
        {json::array({"heading"}), true, ""},
    };
    for (const auto& [body, loaded, expected] : cases) {
        WebBridge bridge;
        std::string log;
        bridge.headingChanged.connect(
            [&](const std::optional<std::string>& id) { log += "heading " + id.value_or("none"); });
        bridge.scrolled.connect([&](const markdown::URL& url, double y) {
            log += "scroll " + url.path() + ' ' + std::to_string(static_cast<int>(y));
        });
        bridge.copyRequested.connect([&](const std::string& text) { log += "copy " + text; });
        bridge.dispatchMessage(body, loaded ? std::optional(file) : std::nullopt);
        EXPECT_EQ(log, expected) << body.dump();
    }
}

} // namespace
} // namespace reader
