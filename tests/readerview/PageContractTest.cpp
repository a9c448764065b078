#include "WebViewHarness.hpp"

#include "notes/WebResources.hpp"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <map>

namespace reader {
namespace {

using nlohmann::json;

/// A PNG image three pixels wide and two high.
std::string tinyPNG() {
    auto image = notes::adoptGObject(gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, 3, 2));
    gdk_pixbuf_fill(image.get(), 0xff0000ff);
    gchar* bytes = nullptr;
    gsize size = 0;
    EXPECT_TRUE(gdk_pixbuf_save_to_buffer(image.get(), &bytes, &size, "png", nullptr, nullptr));
    std::string png(bytes, size);
    g_free(bytes);
    return png;
}

/// The status, type and length of each resource a view loaded, by URL.
class ResourceAnswers {
public:
    explicit ResourceAnswers(WebKitWebView* view) {
        g_signal_connect(view, "resource-load-started", G_CALLBACK(started), this);
    }
    std::map<std::string, std::tuple<guint, std::string, std::uint64_t>> answers;

private:
    static void started(WebKitWebView*, WebKitWebResource* resource, WebKitURIRequest*,
                        gpointer self) {
        g_signal_connect(resource, "finished", G_CALLBACK(finished), self);
    }
    static void finished(WebKitWebResource* resource, gpointer self) {
        if (WebKitURIResponse* response = webkit_web_resource_get_response(resource)) {
            const char* type = webkit_uri_response_get_mime_type(response);
            static_cast<ResourceAnswers*>(self)->answers[webkit_web_resource_get_uri(resource)] = {
                webkit_uri_response_get_status_code(response), type ? type : "",
                webkit_uri_response_get_content_length(response)};
        }
    }
};

TEST_F(WebViewTest, ImagesBesideTheNoteLoadThroughTheLocalHost) {
    const std::string png = tinyPNG();
    notes::ScratchFolder::write(folder / "pic.png", png);
    notes::ScratchFolder::write(folder / "my pic.png", png);
    ResourceAnswers recorded(view->webView());
    ASSERT_TRUE(show(note("a.md", "<img id=\"near\" src=\"pic.png\">"
                                  "<img id=\"named\" src=\"" +
                                      readerAddress("my%20pic.png") +
                                      "\"><img id=\"gone\" src=\"missing.png\">")));
    EXPECT_EQ(
        run("['near', 'named', 'gone'].map((id) => document.getElementById(id).naturalWidth)"),
        json({3, 3, 0}));

    auto css = notes::WebResources::located().resource("reader.css");
    ASSERT_TRUE(css);
    using Answer = std::tuple<guint, std::string, std::uint64_t>;
    EXPECT_EQ(recorded.answers["mdreader://app/reader.css"],
              Answer(200, "text/css", std::filesystem::file_size(*css)));
    EXPECT_EQ(recorded.answers[readerAddress("my%20pic.png")],
              Answer(200, "image/png", png.size()));
}

TEST_F(WebViewTest, ScriptValuesArriveAsJSONAndThrownErrorsAsErrors) {
    ASSERT_TRUE(show(note("a.md", "<p>a</p>")));
    const std::pair<std::string, json> cases[] = {
        {"12.5", 12.5},
        {"'text'", "text"},
        {"({current: 1, count: 2})", {{"current", 1}, {"count", 2}}},
        {"undefined", nullptr},
    };
    for (const auto& [script, expected] : cases)
        EXPECT_EQ(run(script), expected) << script;
    EXPECT_EQ(run("throw new Error('broken')").get<std::string>().rfind("error: ", 0), 0u);
}

TEST_F(WebViewTest, ScriptsForAViewThatIsGoneAnswerWithAnErrorOnALaterTurn) {
    auto gone = notes::retainGObject(WEBKIT_WEB_VIEW(webkit_web_view_new()));
    WebViewScripting page(gone.get(), scheduler);
    gone.reset();
    page.evaluate("mdr.topLine()"); // dropped
    std::optional<PageScripting::Result> result;
    page.evaluate("mdr.topLine()", [&](PageScripting::Result answer) { result = answer; });
    EXPECT_FALSE(result.has_value());
    ASSERT_TRUE(waitUntil([&] { return result.has_value(); }));
    EXPECT_TRUE(std::holds_alternative<PageScripting::Error>(*result));
}

TEST_F(WebViewTest, TopLineFindAndFindStepAnswerAsTheBridgeExpects) {
    std::string body;
    for (int line = 1; line < 200; line += 2) {
        bool fruit = line == 61 || line == 81 || line == 101;
        body += "<p data-line=\"" + std::to_string(line) + "\">Paragraph" +
                (fruit ? " with a kiwi" : "") + "</p>";
    }
    ASSERT_TRUE(show(note("a.md", body)));

    std::vector<int> lines;
    bridge.topLine([&](int line) { lines.push_back(line); });
    bridge.scrollToLine(41);
    bridge.topLine([&](int line) { lines.push_back(line); });
    ASSERT_TRUE(waitUntil([&] { return lines.size() == 2; }));
    EXPECT_EQ(lines, (std::vector<int>{1, 41}));

    std::vector<FindStatus> statuses;
    auto record = [&](FindStatus status) { statuses.push_back(status); };
    bridge.evaluate("mdr.find", {std::string("KIWI")}, record);
    bridge.evaluate("mdr.findStep", {true}, record);
    bridge.evaluate("mdr.findStep", {false}, record);
    bridge.evaluate("mdr.findStep", {false}, record);
    bridge.evaluate("mdr.find", {std::string("mango")}, record);
    ASSERT_TRUE(waitUntil([&] { return statuses.size() == 5; }));
    EXPECT_EQ(statuses, (std::vector<FindStatus>{{1, 3}, {2, 3}, {1, 3}, {3, 3}, {0, 0}}));
}

TEST_F(WebViewTest, SecondViewSharesTheSchemeOfTheContext) {
    WebBridge otherBridge;
    ReaderWebView other(otherBridge, scheduler);
    GtkWidget* otherWindow = gtk_window_new();
    gtk_window_set_child(GTK_WINDOW(otherWindow), other.widget());
    gtk_window_present(GTK_WINDOW(otherWindow));
    other.update(note("b.md", "<p>b</p>"), {});
    ASSERT_TRUE(show(note("a.md", "<p>a</p>")));
    ASSERT_TRUE(waitUntil([&] { return other.state().isLoaded(); }));
    WebViewScripting otherPage(other.webView(), scheduler);
    std::optional<PageScripting::Result> result;
    otherPage.evaluate("typeof mdr", [&](PageScripting::Result answer) { result = answer; });
    ASSERT_TRUE(waitUntil([&] { return result.has_value(); }));
    EXPECT_EQ(std::get<json>(*result), "object");
    EXPECT_EQ(run("typeof mdr"), "object");
    gtk_window_destroy(GTK_WINDOW(otherWindow));
}

} // namespace
} // namespace reader
