#include "reader/WebViewCoordinator.hpp"

#include "FakePage.hpp"
#include "notes/ManualScheduler.hpp"

#include <gtest/gtest.h>

namespace reader {
namespace {

using Type = WebViewCoordinator::NavigationType;
using Policy = WebViewCoordinator::Policy;
using notes::PageAppearance;

const PageAppearance serif{};
const PageAppearance sans{notes::Typeface::sans, 1.0, notes::LineWidth::medium};
const PageAppearance wideSerif{notes::Typeface::serif, 1.0, notes::LineWidth::wide};

ReaderPage page(const std::string& path, int revision, std::string body = "<p>a</p>") {
    return {markdown::URL::fileURL(path), std::move(body), revision, {}, {}, {}};
}

struct Load {
    std::string html, baseURL;
};

/// A coordinator over a recording page, loader and link callback.
struct Harness {
    WebBridge bridge;
    std::shared_ptr<FakePage> fakePage = std::make_shared<FakePage>();
    notes::ManualScheduler scheduler;
    std::vector<Load> loads;
    std::vector<std::string> links;
    std::unique_ptr<WebViewCoordinator> coordinator = std::make_unique<WebViewCoordinator>(
        bridge, scheduler, [this](const std::string& html, const std::string& base) {
            loads.push_back({html, base});
        });

    Harness() {
        bridge.setWebView(fakePage);
        coordinator->onLink = [this](const std::string& url) { links.push_back(url); };
    }
    Policy decide(Type type, std::optional<std::string> url, bool newWindow = false) {
        return coordinator->decide({type, std::move(url), newWindow});
    }
    /// Lets the latest template load through and finishes it, as the web view reports it.
    void finishLatestLoad() {
        EXPECT_EQ(decide(Type::other, loads.back().baseURL), Policy::allow);
        coordinator->navigationFinished();
    }
};

TEST(WebViewCoordinator, FirstUpdateLoadsTheTemplateAndNewRevisionsSwapContent) {
    Harness h;
    auto shown = page("/n/My Plan.md", 1, "<h1 id=\"go\">Go</h1>");
    shown.anchor = "go";
    shown.scrollLine = 9;
    h.coordinator->update(shown, sans);

    ASSERT_EQ(h.loads.size(), 1u);
    EXPECT_EQ(h.loads[0].baseURL, "mdreader://local/n/My%20Plan.md");
    EXPECT_NE(h.loads[0].html.find("<body class=\"font-sans\" data-anchor=\"go\">\n"
                                   "<main id=\"content\">\n<h1 id=\"go\">Go</h1>\n</main>"),
              std::string::npos);
    EXPECT_FALSE(h.coordinator->isLoaded());

    h.finishLatestLoad();
    EXPECT_TRUE(h.coordinator->isLoaded());
    EXPECT_TRUE(h.fakePage->sent.empty()) << "the template already has the appearance";

    auto second = page("/n/My Plan.md", 2, "<p>b</p>");
    second.scrollLine = 12;
    second.anchor = "ignored"; // an anchor takes effect only through a full load
    h.coordinator->update(second, wideSerif);
    h.coordinator->update(second, wideSerif);
    h.coordinator->update(page("/n/My Plan.md", 3, "<p>c</p>"), wideSerif);

    EXPECT_EQ(h.loads.size(), 1u);
    EXPECT_EQ(h.fakePage->sent, (std::vector<std::string>{
                                    R"(mdr.setContent("<p>b</p>",12))",
                                    R"(mdr.setAppearance("serif",1.0,44.0))",
                                    R"(mdr.setContent("<p>c</p>"))",
                                }));
    EXPECT_EQ(h.coordinator->loadedRevision(), 3);
}

TEST(WebViewCoordinator, ActivatedLinksAreCancelledAndHandedOverOnALaterTurn) {
    Harness h;
    h.coordinator->update(page("/n/a.md", 1), serif);
    h.finishLatestLoad();

    EXPECT_EQ(h.decide(Type::linkActivated, "mdreader://local/n/b.md#x"), Policy::cancel);
    EXPECT_EQ(h.decide(Type::linkActivated, "https://example.org/", true), Policy::cancel);
    EXPECT_TRUE(h.links.empty()) << "handed over while the web view is still deciding";
    h.scheduler.runPosted();
    EXPECT_EQ(h.links,
              (std::vector<std::string>{"mdreader://local/n/b.md#x", "https://example.org/"}));

    h.decide(Type::linkActivated, "mdreader://local/n/c.md");
    h.coordinator.reset();
    h.scheduler.runPosted();
    EXPECT_EQ(h.links.size(), 2u) << "no link reaches a window whose view is gone";
}

TEST(WebViewCoordinator, OnlyTheTemplateLoadsItStartedAreAllowed) {
    Harness h;
    const std::string note = "mdreader://local/n/a.md";
    h.coordinator->update(page("/n/a.md", 1), serif);
    h.coordinator->update(page("/n/a.md", 2), serif); // still loading: a second template

    const std::tuple<Type, std::optional<std::string>, bool, Policy> cases[] = {
        {Type::other, "https://example.org/", false, Policy::cancel}, // a note's refresh
        {Type::other, note, false, Policy::allow},
        {Type::other, note, false, Policy::allow},
        {Type::other, note, false, Policy::cancel}, // a refresh to the note itself
        {Type::reload, note, false, Policy::cancel},
        {Type::formSubmitted, "mdreader://local/n/form", false, Policy::cancel},
        {Type::other, "https://example.org/popup", true, Policy::cancel},
    };
    for (const auto& [type, url, newWindow, expected] : cases)
        EXPECT_EQ(h.decide(type, url, newWindow), expected) << url.value_or("(none)");
    h.scheduler.runPosted();
    EXPECT_TRUE(h.links.empty());
}

TEST(WebViewCoordinator, OnlyTheLatestTemplateFinishingMakesThePageLoaded) {
    Harness h;
    h.coordinator->update(page("/n/a.md", 1), sans);
    EXPECT_EQ(h.decide(Type::other, "mdreader://local/n/a.md"), Policy::allow);
    h.coordinator->update(page("/n/b.md", 1), serif);
    // The first note finishes after the second one's template was started.
    h.coordinator->navigationFinished();
    EXPECT_FALSE(h.coordinator->isLoaded());
    h.coordinator->update(page("/n/b.md", 1), serif);
    EXPECT_EQ(h.loads.size(), 2u) << "same note and revision while loading: nothing to do";

    // A failed load is followed by a finish that does not count.
    EXPECT_EQ(h.decide(Type::other, "mdreader://local/n/b.md"), Policy::allow);
    h.coordinator->navigationFailed();
    h.coordinator->navigationFinished();
    EXPECT_FALSE(h.coordinator->isLoaded());

    h.coordinator->update(page("/n/b.md", 2), serif);
    h.finishLatestLoad();
    EXPECT_TRUE(h.coordinator->isLoaded());
    EXPECT_TRUE(h.fakePage->sent.empty());
}

TEST(WebViewCoordinator, ScrollReportsCountOnlyForALoadedPage) {
    Harness h;
    std::vector<std::string> log;
    h.bridge.scrolled.connect([&](const markdown::URL& url, double y) {
        log.push_back("scroll " + url.path() + " " + std::to_string(static_cast<int>(y)));
    });
    h.bridge.headingChanged.connect(
        [&](const std::optional<std::string>& id) { log.push_back("heading " + id.value_or("")); });
    const nlohmann::json scroll = {{"type", "scroll"}, {"y", 480}};
    const nlohmann::json heading = {{"type", "heading"}, {"id", "intro"}};

    h.coordinator->update(page("/n/a.md", 1), serif);
    h.finishLatestLoad();
    h.coordinator->receiveMessage(scroll);
    h.coordinator->update(page("/n/b.md", 1), serif);
    // A late report of the page being replaced, and the new page's first heading.
    h.coordinator->receiveMessage(scroll);
    h.coordinator->receiveMessage(heading);
    h.finishLatestLoad();
    h.coordinator->receiveMessage(scroll);

    EXPECT_EQ(log, (std::vector<std::string>{"scroll /n/a.md 480", "heading intro",
                                             "scroll /n/b.md 480"}));
}

} // namespace
} // namespace reader
