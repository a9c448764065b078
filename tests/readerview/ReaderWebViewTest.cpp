#include "WebViewHarness.hpp"

namespace reader {
namespace {

using nlohmann::json;
using namespace std::chrono_literals;

const notes::PageAppearance sans{notes::Typeface::sans, 1.5, notes::LineWidth::medium};
const notes::PageAppearance wide{notes::Typeface::serif, 1.0, notes::LineWidth::wide};

TEST_F(WebViewTest, FirstUpdateLoadsTheTemplateWithTheReadersStyleAndScript) {
    // The style sheet sets the measure of 37rem, at a root size scaled to 1.5 × 16px.
    ASSERT_TRUE(show(note("a.md", "<h1 id=\"top\">Top</h1>"), sans));
    EXPECT_EQ(run("[typeof mdr, document.body.className, "
                  "document.documentElement.style.getPropertyValue('--scale'), location.href, "
                  "document.getElementById('top').textContent, "
                  "getComputedStyle(document.getElementById('content')).maxWidth]"),
              json({"object", "font-sans", "1.5", readerAddress("a.md"), "Top", "888px"}));
    EXPECT_EQ(view->state().loadedFile(), markdown::URL::fileURL(folder / "a.md"));
    EXPECT_EQ(view->state().loadedRevision(), 1);
}

TEST_F(WebViewTest, NewRevisionOfTheSameNoteSwapsContentWithoutReloading) {
    NavigationLog log(view->webView());
    ASSERT_TRUE(show(note("a.md", "<p>old</p>")));
    run("window.marker = 7");
    view->update(note("a.md", "<p id=\"new\">new</p>", 2), wide);
    ASSERT_TRUE(waitUntil([&] { return run("!!document.getElementById('new')") == true; }));
    EXPECT_EQ(run("[window.marker, document.documentElement.style.getPropertyValue('--measure')]"),
              json({7, "44rem"}));
    EXPECT_EQ(log.loadsStarted, 1);
    EXPECT_TRUE(view->state().isLoaded());
}

TEST_F(WebViewTest, ClickedLinksReachTheCallbackAndThePageStays) {
    NavigationLog log(view->webView());
    int windowsCreated = 0;
    g_signal_connect_swapped(view->webView(), "create", G_CALLBACK(+[](int* count) {
                                 ++*count;
                                 return static_cast<GtkWidget*>(nullptr);
                             }),
                             &windowsCreated);
    ASSERT_TRUE(show(note("a.md", "<p><a id=\"next\" href=\"b.md#part\">next</a> "
                                  "<a id=\"out\" target=\"_blank\" href=\"https://example.org/x\">"
                                  "out</a></p>")));
    run("window.marker = 7");
    run("document.getElementById('next').click(); document.getElementById('out').click()");
    ASSERT_TRUE(waitUntil([&] { return links.size() == 2; }));
    EXPECT_EQ(links,
              (std::vector<std::string>{readerAddress("b.md") + "#part", "https://example.org/x"}));
    EXPECT_EQ(run("[window.marker, location.href]"), json({7, readerAddress("a.md")}));
    EXPECT_EQ(windowsCreated, 0);
    EXPECT_EQ(log.loadsStarted, 1);
}

TEST_F(WebViewTest, ReloadAndHistoryNavigationsAreCancelled) {
    NavigationLog log(view->webView());
    ASSERT_TRUE(show(note("a.md", "<p>a</p>")));
    run("window.marker = 7");
    webkit_web_view_reload(view->webView());
    ASSERT_TRUE(waitUntil(
        [&] { return log.decided(WEBKIT_NAVIGATION_TYPE_RELOAD, readerAddress("a.md")); }));
    runFor(300ms);
    EXPECT_EQ(log.loadsStarted, 1);
    EXPECT_EQ(run("window.marker"), 7);
}

TEST_F(WebViewTest, ReaderScriptRunsWhileTheNotesOwnScriptsAndRefreshDoNothing) {
    notes::ScratchFolder::write(folder / "other.md", "raw text");
    notes::ScratchFolder::write(folder / "evil.js", "window.evil = 'file';");
    NavigationLog log(view->webView());
    ASSERT_TRUE(show(note("a.md", "<p id=\"p\">text</p><script>window.evil = 'inline';</script>"
                                  "<script src=\"evil.js\"></script>"
                                  "<meta http-equiv=\"refresh\" content=\"0; url=other.md\">")));
    ASSERT_TRUE(waitUntil(
        [&] { return log.decided(WEBKIT_NAVIGATION_TYPE_OTHER, readerAddress("other.md")); }));
    runFor(300ms);
    EXPECT_EQ(log.loadsStarted, 1);
    EXPECT_EQ(
        run("[typeof mdr, typeof window.evil, location.href, !!document.getElementById('p')]"),
        json({"object", "undefined", readerAddress("a.md"), true}));
}

TEST_F(WebViewTest, HeadingScrollAndCopyMessagesArrive) {
    std::string body = "<h1 id=\"one\">One</h1>";
    for (int line = 2; line < 80; ++line)
        body += "<p data-line=\"" + std::to_string(line) + "\">Line</p>";
    body += "<h2 id=\"two\">Two</h2><pre><code class=\"language-text\">copy me\n</code></pre>";
    for (int line = 90; line < 160; ++line)
        body += "<p data-line=\"" + std::to_string(line) + "\">Line</p>";
    std::vector<std::string> headings;
    std::vector<std::pair<std::string, double>> scrolls;
    std::vector<std::string> copies;
    bridge.headingChanged.connect(
        [&](const std::optional<std::string>& id) { headings.push_back(id.value_or("-")); });
    bridge.scrolled.connect(
        [&](const markdown::URL& url, double y) { scrolls.emplace_back(url.path(), y); });
    bridge.copyRequested.connect([&](const std::string& text) { copies.push_back(text); });
    ASSERT_TRUE(show(note("a.md", body)));

    run("window.scrollTo(0, 300)");
    ASSERT_TRUE(waitUntil([&] { return !scrolls.empty(); }));
    EXPECT_EQ(scrolls.back(), std::make_pair((folder / "a.md").string(), 300.0));

    bridge.scrollToAnchor("two");
    ASSERT_TRUE(waitUntil([&] { return !headings.empty() && headings.back() == "two"; }));

    run("document.querySelector('.copy-button').click()");
    ASSERT_TRUE(waitUntil([&] { return !copies.empty(); }));
    EXPECT_EQ(copies, std::vector<std::string>{"copy me"});
    GdkContentProvider* content =
        gdk_clipboard_get_content(gtk_widget_get_clipboard(view->widget()));
    ASSERT_NE(content, nullptr);
    GValue text = G_VALUE_INIT;
    g_value_init(&text, G_TYPE_STRING);
    ASSERT_TRUE(gdk_content_provider_get_value(content, &text, nullptr));
    EXPECT_STREQ(g_value_get_string(&text), "copy me");
    g_value_unset(&text);
}

TEST_F(WebViewTest, DismantlingRemovesTheMessageChannelAndDetachesThePage) {
    ASSERT_TRUE(show(note("a.md", "<p>a</p>")));
    EXPECT_EQ(run("!!(window.webkit && window.webkit.messageHandlers.mdr)"), true);

    view.reset(); // the window still shows the widget
    EXPECT_EQ(bridge.webView(), nullptr);
    EXPECT_EQ(run("!!(window.webkit && window.webkit.messageHandlers.mdr)"), false);
    std::optional<int> line;
    bridge.topLine([&](int answer) { line = answer; });
    EXPECT_EQ(line, 1);
}

} // namespace
} // namespace reader
