#include "reader/view/ReaderWebView.hpp"
#include "notes/runtime/MainLoopScheduler.hpp"
#include "tests/notes/ScratchFolder.hpp"
#include "tests/support/DisplayTesting.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace reader {
namespace {

using nlohmann::json;
using namespace std::chrono_literals;

/// A reader web view in a window on the display, over a scratch folder of notes.
struct WebViewTest : ::testing::Test {
    static void SetUpTestSuite() { startToolkit(LUMENLEAF_TEST_WEB_DIR); }

    WebViewTest() {
        view->setOnLink([this](const std::string& url) { links.push_back(url); });
        gtk_window_set_default_size(window, 800, 600);
        gtk_window_set_child(window, view->widget());
        gtk_window_present(window);
    }
    ~WebViewTest() override { gtk_window_destroy(window); }

    /// A page of a.md in the scratch folder.
    ReaderPage note(std::string body, int revision) const {
        return {markdown::URL::fileURL(folder / "a.md"), std::move(body), revision, {}, {}, {}};
    }
    [[nodiscard]] std::string readerAddress(const std::string& name) const {
        return "mdreader://local" + (folder / name).string();
    }
    /// The value of a script run in the page, or the text "error: " and its message.
    nlohmann::json run(const std::string& script) { return runScript(scripting, script); }

    notes::ScratchFolder folder;
    notes::MainLoopScheduler scheduler;
    WebBridge bridge;
    std::unique_ptr<ReaderWebView> view = std::make_unique<ReaderWebView>(bridge, scheduler);
    WebViewScripting scripting{view->webView(), scheduler};
    std::vector<std::string> links;
    GtkWindow* window = GTK_WINDOW(gtk_window_new());
};

// One long page: none of the note's own scripts run, what the reader script answers and sends,
// the images beside the note that it loads through the local host, and content swapped in place.
TEST_F(WebViewTest, LoadsTheTemplateWithoutTheNotesScriptsAnswersTheBridgeAndSwapsContent) {
    notes::ScratchFolder::write(folder / "other.md", "raw text");
    notes::ScratchFolder::write(folder / "evil.js", "window.evil = 'file';");
    for (const char* name : {"pic.svg", "my pic.svg"}) // three pixels wide
        notes::ScratchFolder::write(folder / name,
                                    R"(<svg xmlns="http://www.w3.org/2000/svg" width="3"/>)");
    std::string body = "<h1 id=\"top\">Top</h1><script>window.evil = 'inline';</script>"
                       "<script src=\"evil.js\"></script>"
                       "<meta http-equiv=\"refresh\" content=\"0; url=other.md\">";
    for (int line = 1; line < 200; line += 2)
        body += "<p data-line=\"" + std::to_string(line) + "\">Paragraph" +
                (line % 40 == 21 ? " with a kiwi" : "") + "</p>";
    body += "<h2 id=\"two\">Two</h2><pre><code>copy me<span style=\"display:none\">; rm -rf ~"
            "</span>\n  twice\n</code></pre><img id=\"near\" src=\"pic.svg\">";
    body += "<img id=\"named\" src=\"" + readerAddress("my%20pic.svg") +
            "\"><img id=\"gone\" src=\"missing.svg\">";
    std::vector<std::string> headings;
    bridge.headingChanged.connect([&](const auto& id) { headings.push_back(id.value_or("-")); });
    // The style sheet sets the measure of 37rem, at a root size scaled to 1.5 × 16px.
    view->update(note(body, 1), {notes::Typeface::sans, 1.5, notes::LineWidth::medium});
    ASSERT_TRUE(waitUntil([&] { return view->state().isLoaded(); }));
    runFor(500ms); // the refresh, had it been followed, would have replaced the page by now
    EXPECT_EQ(
        run("[typeof mdr, typeof window.evil, location.href, "
            "document.getElementById('top').textContent, "
            "getComputedStyle(document.getElementById('content')).maxWidth, "
            "...['near', 'named', 'gone'].map((id) => document.getElementById(id).naturalWidth)]"),
        json({"object", "undefined", readerAddress("a.md"), "Top", "888px", 3, 3, 0}));

    bridge.scrollToLine(41);
    std::optional<int> line;
    bridge.topLine([&](int answer) { line = answer; });
    EXPECT_TRUE(waitUntil([&] { return line == 41; }));

    std::vector<FindStatus> statuses;
    auto record = [&](FindStatus status) { statuses.push_back(status); };
    bridge.evaluate("mdr.find", {std::string("KIWI")}, record);
    bridge.evaluate("mdr.findStep", {false}, record);
    bridge.evaluate("mdr.find", {std::string("mango")}, record);
    ASSERT_TRUE(waitUntil([&] { return statuses.size() == 3; }));
    EXPECT_EQ(statuses,
              (std::vector<FindStatus>{{2, 5}, {1, 5}, {0, 0}})); // from the top of the view

    bridge.scrollToAnchor("two");
    EXPECT_TRUE(waitUntil([&] { return std::ranges::count(headings, "two") > 0; }));
    run("document.querySelector('.copy-button').click()");
    GdkClipboard* clipboard = gtk_widget_get_clipboard(view->widget());
    ASSERT_TRUE(waitUntil([&] { return gdk_clipboard_get_content(clipboard) != nullptr; }));
    g_auto(GValue) text = G_VALUE_INIT;
    g_value_init(&text, G_TYPE_STRING);
    ASSERT_TRUE(gdk_content_provider_get_value(gdk_clipboard_get_content(clipboard), &text, {}));
    EXPECT_STREQ(g_value_get_string(&text), "copy me\n  twice");

    run("window.marker = 7");
    view->update(note("<p><a id=\"next\" href=\"b.md#part\">next</a> <a id=\"out\" "
                      "target=\"_blank\" href=\"https://example.org/x\">out</a></p>",
                      2),
                 {notes::Typeface::serif, 1.0, notes::LineWidth::wide});
    ASSERT_TRUE(waitUntil([&] { return run("!!document.getElementById('next')") == true; }));
    EXPECT_EQ(run("[window.marker, document.documentElement.style.getPropertyValue('--measure')]"),
              json({7, "44rem"}));

    run("document.getElementById('next').click(); document.getElementById('out').click()");
    // Handed over, so neither navigates the view nor opens a window.
    ASSERT_TRUE(waitUntil([&] { return links.size() == 2; }));
    EXPECT_EQ(links,
              (std::vector<std::string>{readerAddress("b.md") + "#part", "https://example.org/x"}));
    runFor(300ms);
    EXPECT_EQ(run("[window.marker, location.href]"), json({7, readerAddress("a.md")}));
}

// No pinch can be made on a virtual display: the test plays the gesture's signals as a pinch
// gives them, each with the scale since the fingers went down.
TEST_F(WebViewTest, APinchMagnifiesThePageAndAReversePinchShrinksItWithinBounds) {
    view->update(note("<p data-line=\"1\">Text</p>", 1),
                 {notes::Typeface::serif, 1.25, notes::LineWidth::medium});
    ASSERT_TRUE(waitUntil([&] { return view->state().isLoaded(); }));
    GtkGesture* pinch = GTK_GESTURE(view->magnification().gesture());
    // The zoom level, and the page's width in its own pixels, which the zoom divides.
    const auto zoomed = [&] {
        runFor(100ms);
        return json({webkit_web_view_get_zoom_level(view->webView()), run("innerWidth")});
    };
    const auto play = [&](std::initializer_list<double> scales) {
        g_signal_emit_by_name(pinch, "begin", nullptr);
        for (double scale : scales)
            g_signal_emit_by_name(pinch, "scale-changed", scale);
        g_signal_emit_by_name(pinch, "end", nullptr);
    };
    EXPECT_EQ(zoomed(), json({1.0, 800}));
    play({1.2, 1.6, 2.0});
    EXPECT_EQ(zoomed(), json({2.0, 400}));
    // The next pinch goes on from there; a reverse one shrinks.
    play({0.9, 0.8});
    EXPECT_EQ(zoomed(), json({1.6, 500}));
    play({10.0});
    EXPECT_EQ(zoomed(), json({PinchMagnification::maximumZoom, 266}));
    play({0.5, 0.01});
    EXPECT_EQ(zoomed(), json({PinchMagnification::minimumZoom, 1600}));
    // The text scale setting is the page's own, apart from the zoom.
    EXPECT_EQ(run("document.documentElement.style.getPropertyValue('--scale')"), "1.25");

    // WebKit's own pinch, which would scale the page as well, hears no events.
    GListModel* controllers = gtk_widget_observe_controllers(view->widget());
    int listening = 0;
    for (guint i = 0; i < g_list_model_get_n_items(controllers); ++i) {
        auto* controller = static_cast<GtkEventController*>(g_list_model_get_item(controllers, i));
        listening += GTK_IS_GESTURE_ZOOM(controller) &&
                     gtk_event_controller_get_propagation_phase(controller) != GTK_PHASE_NONE;
        g_object_unref(controller);
    }
    g_object_unref(controllers);
    EXPECT_EQ(listening, 1);
}

} // namespace
} // namespace reader
