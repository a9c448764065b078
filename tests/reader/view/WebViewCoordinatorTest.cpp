#include "reader/view/WebViewCoordinator.hpp"

#include "notes/runtime/ManualScheduler.hpp"
#include "tests/reader/FakePage.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace reader {
namespace {

using Type = WebViewCoordinator::NavigationType;
using Policy = WebViewCoordinator::Policy;

const notes::PageAppearance serif{};
const notes::PageAppearance sans{notes::Typeface::sans, 1.0, notes::LineWidth::medium};
const notes::PageAppearance wideSerif{notes::Typeface::serif, 1.0, notes::LineWidth::wide};

ReaderPage page(const std::string& path, int revision, std::string body = "<p>a</p>",
                std::optional<std::string> anchor = {}, std::optional<int> line = {}) {
    return {markdown::URL::fileURL(path), std::move(body), revision, std::move(anchor), {}, line};
}

/// A coordinator over a recording page, loader and link callback.
struct CoordinatorTest : ::testing::Test {
    CoordinatorTest() {
        bridge.setWebView(fakePage);
        coordinator->onLink = [this](const std::string& url) { links.push_back(url); };
    }
    Policy decide(Type type, std::optional<std::string> url, bool newWindow = false) {
        return coordinator->decide({type, std::move(url), newWindow});
    }
    /// Lets the latest template load through and finishes it, as the web view reports it.
    void finishLatestLoad() {
        EXPECT_EQ(decide(Type::other, loads.back().second), Policy::allow);
        coordinator->navigationFinished();
    }

    WebBridge bridge;
    std::shared_ptr<FakePage> fakePage = std::make_shared<FakePage>();
    notes::ManualScheduler scheduler;
    std::vector<std::pair<std::string, std::string>> loads; // the page and its base address
    std::vector<std::string> links;
    std::unique_ptr<WebViewCoordinator> coordinator = std::make_unique<WebViewCoordinator>(
        bridge, scheduler, [this](const std::string& html, const std::string& base) {
            loads.emplace_back(html, base);
        });
};

TEST_F(CoordinatorTest, FirstUpdateLoadsTheTemplateAndNewRevisionsSwapContent) {
    coordinator->update(page("/n/My Plan.md", 1, "<h1 id=\"go\">Go</h1>", "go"), sans);
    EXPECT_EQ(loads.at(0).second, "mdreader://local/n/My%20Plan.md");
    EXPECT_NE(loads[0].first.find("<body class=\"font-sans\" data-anchor=\"go\">"),
              std::string::npos);
    finishLatestLoad();

    // An anchor takes effect only through a full load.
    auto second = page("/n/My Plan.md", 2, "<p>b</p>", "ignored", 12);
    coordinator->update(second, wideSerif);
    coordinator->update(second, wideSerif);
    coordinator->update(page("/n/My Plan.md", 3, "<p>c</p>"), wideSerif);
    EXPECT_EQ(std::tuple(loads.size(), coordinator->loadedRevision()), std::tuple(1u, 3));
    EXPECT_EQ(fakePage->sent, (std::vector<std::string>{R"(mdr.setContent("<p>b</p>",12))",
                                                        R"(mdr.setAppearance("serif",1.0,44.0))",
                                                        R"(mdr.setContent("<p>c</p>"))"}));
}

TEST_F(CoordinatorTest, AllowsOnlyTheTemplateLoadsItStartedAndHandsActivatedLinksOverLater) {
    const std::string note = "mdreader://local/n/a.md";
    coordinator->update(page("/n/a.md", 1), serif);
    coordinator->update(page("/n/a.md", 2), serif); // still loading: a second template
    const std::tuple<Type, std::optional<std::string>, bool, Policy> cases[] = {
        {Type::linkActivated, "mdreader://local/n/b.md#x", false, Policy::cancel},
        {Type::other, "https://example.org/", false, Policy::cancel}, // a note's refresh
        {Type::other, note, true, Policy::cancel}, // a new window, even to the note
        {Type::other, note, false, Policy::allow},
        {Type::other, note, false, Policy::allow},
        {Type::other, note, false, Policy::cancel}, // a refresh to the note itself
        {Type::formSubmitted, "mdreader://local/n/form", false, Policy::cancel},
        {Type::linkActivated, "https://example.org/", true, Policy::cancel},
    };
    for (const auto& [type, url, newWindow, expected] : cases)
        EXPECT_EQ(decide(type, url, newWindow), expected) << url.value_or("(none)");
    EXPECT_TRUE(links.empty()) << "handed over while the web view is still deciding";
    scheduler.runPosted();
    EXPECT_EQ(links,
              (std::vector<std::string>{"mdreader://local/n/b.md#x", "https://example.org/"}));

    decide(Type::linkActivated, "mdreader://local/n/c.md");
    coordinator.reset();
    scheduler.runPosted();
    EXPECT_EQ(links.size(), 2u) << "no link reaches a window whose view is gone";
}

TEST_F(CoordinatorTest, OnlyTheLatestTemplateFinishingMakesThePageLoadedAndItsReportsCount) {
    std::vector<std::string> log;
    bridge.scrolled.connect([&](const markdown::URL& url, double) { log.push_back(url.path()); });
    bridge.headingChanged.connect([&](const auto& id) { log.push_back(id.value_or("none")); });
    const nlohmann::json scroll = {{"type", "scroll"}, {"y", 480}};
    coordinator->update(page("/n/a.md", 1), sans);
    EXPECT_EQ(decide(Type::other, "mdreader://local/n/a.md"), Policy::allow);
    coordinator->update(page("/n/b.md", 1), serif);
    // The first note finishes after the second one's template was started.
    coordinator->navigationFinished();
    EXPECT_FALSE(coordinator->isLoaded());
    // A late report of the page being replaced, and the new page's first heading.
    coordinator->receiveMessage(scroll);
    coordinator->receiveMessage({{"type", "heading"}, {"id", "intro"}});
    coordinator->update(page("/n/b.md", 1), serif);
    EXPECT_EQ(loads.size(), 2u) << "same note and revision while loading: nothing to do";

    // A failed load is followed by a finish that does not count.
    EXPECT_EQ(decide(Type::other, "mdreader://local/n/b.md"), Policy::allow);
    coordinator->navigationFailed();
    coordinator->navigationFinished();
    EXPECT_FALSE(coordinator->isLoaded());
    coordinator->update(page("/n/b.md", 2), serif);
    finishLatestLoad();
    EXPECT_TRUE(coordinator->isLoaded());
    coordinator->receiveMessage(scroll);
    coordinator->receiveMessage({{"type", "scroll"}, {"y", std::nan("")}});
    coordinator->receiveMessage({{"type", "heading"}, {"id", 3}});
    EXPECT_EQ(log, (std::vector<std::string>{"intro", "/n/b.md", "none"}));
}

} // namespace
} // namespace reader
