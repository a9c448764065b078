#include "WebViewHarness.hpp"

namespace reader {
namespace {

using nlohmann::json;
using namespace std::chrono_literals;

TEST_F(WebViewTest, LoadsTheTemplateSwapsContentInPlaceAndHandsClickedLinksOver) {
    NavigationLog log(view->webView());
    int windowsCreated = 0;
    g_signal_connect_swapped(view->webView(), "create", G_CALLBACK(+[](int* count) {
                                 ++*count;
                                 return static_cast<GtkWidget*>(nullptr);
                             }),
                             &windowsCreated);
    // The style sheet sets the measure of 37rem, at a root size scaled to 1.5 × 16px.
    ASSERT_TRUE(show(note("a.md", "<h1 id=\"top\">Top</h1>"),
                     {notes::Typeface::sans, 1.5, notes::LineWidth::medium}));
    EXPECT_EQ(run("[typeof mdr, document.body.className, "
                  "document.documentElement.style.getPropertyValue('--scale'), location.href, "
                  "document.getElementById('top').textContent, "
                  "getComputedStyle(document.getElementById('content')).maxWidth]"),
              json({"object", "font-sans", "1.5", readerAddress("a.md"), "Top", "888px"}));
    EXPECT_EQ(view->state().loadedFile(), markdown::URL::fileURL(folder / "a.md"));
    run("window.marker = 7");

    view->update(note("a.md",
                      "<p><a id=\"next\" href=\"b.md#part\">next</a> <a id=\"out\" "
                      "target=\"_blank\" href=\"https://example.org/x\">out</a></p>",
                      2),
                 {notes::Typeface::serif, 1.0, notes::LineWidth::wide});
    ASSERT_TRUE(waitUntil([&] { return run("!!document.getElementById('next')") == true; }));
    EXPECT_EQ(run("[window.marker, document.documentElement.style.getPropertyValue('--measure')]"),
              json({7, "44rem"}));
    EXPECT_EQ(view->state().loadedRevision(), 2);

    run("document.getElementById('next').click(); document.getElementById('out').click()");
    ASSERT_TRUE(waitUntil([&] { return links.size() == 2; }));
    EXPECT_EQ(links,
              (std::vector<std::string>{readerAddress("b.md") + "#part", "https://example.org/x"}));
    EXPECT_EQ(run("[window.marker, location.href]"), json({7, readerAddress("a.md")}));
    EXPECT_EQ(windowsCreated, 0);
    EXPECT_EQ(log.loadsStarted, 1);
}

TEST_F(WebViewTest, ReaderScriptRunsWhileTheNotesOwnScriptsAndRefreshDoNothing) {
    notes::ScratchFolder::write(folder / "other.md", "raw text");
    notes::ScratchFolder::write(folder / "evil.js", "window.evil = 'file';");
    NavigationLog log(view->webView());
    ASSERT_TRUE(show(note("a.md", "<p id=\"p\">text</p><script>window.evil = 'inline';</script>"
                                  "<script src=\"evil.js\"></script>"
                                  "<meta http-equiv=\"refresh\" content=\"0; url=other.md\">")));
    ASSERT_TRUE(waitUntil(
        [&] { return std::ranges::count(log.decisions, readerAddress("other.md")) > 0; }));
    runFor(300ms);
    EXPECT_EQ(log.loadsStarted, 1);
    EXPECT_EQ(
        run("[typeof mdr, typeof window.evil, location.href, !!document.getElementById('p')]"),
        json({"object", "undefined", readerAddress("a.md"), true}));
}

} // namespace
} // namespace reader
