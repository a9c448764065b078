#pragma once

#include "../notes/ScratchFolder.hpp"
#include "DisplayTesting.hpp"
#include "notes/MainLoopScheduler.hpp"
#include "reader/ReaderWebView.hpp"
#include "reader/WebViewScripting.hpp"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace reader {

/// What a web view was asked to do: the addresses of its navigation decisions and the loads
/// it started.
class NavigationLog {
public:
    explicit NavigationLog(WebKitWebView* view) : view(view) {
        // A hook sees each decision before the view's own handler settles it.
        hook = g_signal_add_emission_hook(decidePolicy(), 0, recordDecision, this, nullptr);
        g_signal_connect(view, "load-changed",
                         G_CALLBACK(+[](WebKitWebView*, WebKitLoadEvent event, int* count) {
                             *count += event == WEBKIT_LOAD_STARTED;
                         }),
                         &loadsStarted);
    }
    ~NavigationLog() {
        g_signal_remove_emission_hook(decidePolicy(), hook);
        g_signal_handlers_disconnect_by_data(view, &loadsStarted);
    }
    NavigationLog(const NavigationLog&) = delete;
    NavigationLog& operator=(const NavigationLog&) = delete;

    std::vector<std::string> decisions;
    int loadsStarted = 0;

private:
    static guint decidePolicy() { return g_signal_lookup("decide-policy", WEBKIT_TYPE_WEB_VIEW); }
    static gboolean recordDecision(GSignalInvocationHint*, guint, const GValue* values,
                                   gpointer data) {
        auto* log = static_cast<NavigationLog*>(data);
        if (g_value_get_object(&values[0]) != log->view ||
            g_value_get_enum(&values[2]) == WEBKIT_POLICY_DECISION_TYPE_RESPONSE)
            return TRUE;
        auto* decision = WEBKIT_NAVIGATION_POLICY_DECISION(g_value_get_object(&values[1]));
        auto* action = webkit_navigation_policy_decision_get_navigation_action(decision);
        const char* url = webkit_uri_request_get_uri(webkit_navigation_action_get_request(action));
        log->decisions.push_back(url ? url : "");
        return TRUE;
    }

    WebKitWebView* view;
    gulong hook = 0;
};

/// A reader web view in a window on the display, over a scratch folder of notes.
class WebViewTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { startToolkit(LUMENLEAF_TEST_WEB_DIR); }

    void SetUp() override {
        view->setOnLink([this](const std::string& url) { links.push_back(url); });
        gtk_window_set_default_size(window, 800, 600);
        gtk_window_set_child(window, view->widget());
        gtk_window_present(window);
    }
    void TearDown() override { gtk_window_destroy(window); }

    /// A page of the note `name` in the scratch folder.
    [[nodiscard]] ReaderPage note(const std::string& name, std::string body,
                                  int revision = 1) const {
        return {markdown::URL::fileURL(folder / name), std::move(body), revision, {}, {}, {}};
    }
    [[nodiscard]] std::string readerAddress(const std::string& name) const {
        return "mdreader://local" + (folder / name).string();
    }
    /// Shows the page and waits until its load has finished.
    [[nodiscard]] bool show(const ReaderPage& page, const notes::PageAppearance& appearance = {}) {
        view->update(page, appearance);
        return waitUntil([&] { return view->state().isLoaded(); });
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

} // namespace reader
