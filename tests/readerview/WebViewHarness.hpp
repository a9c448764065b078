#pragma once

#include "../notes/ScratchFolder.hpp"
#include "notes/MainLoopScheduler.hpp"
#include "reader/ReaderWebView.hpp"
#include "reader/WebViewScripting.hpp"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace reader {

/// What a web view was asked to do: its navigation decisions and the loads it started.
class NavigationLog {
public:
    struct Decision {
        WebKitPolicyDecisionType kind;
        WebKitNavigationType type;
        std::string url;
    };

    explicit NavigationLog(WebKitWebView* view) : view(view) {
        // A hook sees each decision before the view's own handler settles it.
        hook = g_signal_add_emission_hook(g_signal_lookup("decide-policy", WEBKIT_TYPE_WEB_VIEW), 0,
                                          recordDecision, this, nullptr);
        g_signal_connect(view, "load-changed", G_CALLBACK(recordLoad), this);
    }
    ~NavigationLog() {
        g_signal_remove_emission_hook(g_signal_lookup("decide-policy", WEBKIT_TYPE_WEB_VIEW), hook);
        g_signal_handlers_disconnect_by_data(view, this);
    }
    NavigationLog(const NavigationLog&) = delete;
    NavigationLog& operator=(const NavigationLog&) = delete;

    [[nodiscard]] bool decided(WebKitNavigationType type, const std::string& url) const {
        for (const auto& decision : decisions) {
            if (decision.type == type && decision.url == url)
                return true;
        }
        return false;
    }

    std::vector<Decision> decisions;
    int loadsStarted = 0;

private:
    static gboolean recordDecision(GSignalInvocationHint*, guint, const GValue* values,
                                   gpointer data) {
        auto* log = static_cast<NavigationLog*>(data);
        if (g_value_get_object(&values[0]) != log->view)
            return TRUE;
        auto kind = static_cast<WebKitPolicyDecisionType>(g_value_get_enum(&values[2]));
        if (kind == WEBKIT_POLICY_DECISION_TYPE_RESPONSE)
            return TRUE;
        auto* decision = WEBKIT_NAVIGATION_POLICY_DECISION(g_value_get_object(&values[1]));
        auto* action = webkit_navigation_policy_decision_get_navigation_action(decision);
        const char* url = webkit_uri_request_get_uri(webkit_navigation_action_get_request(action));
        log->decisions.push_back(
            {kind, webkit_navigation_action_get_navigation_type(action), url ? url : ""});
        return TRUE;
    }
    static void recordLoad(WebKitWebView*, WebKitLoadEvent event, gpointer data) {
        if (event == WEBKIT_LOAD_STARTED)
            ++static_cast<NavigationLog*>(data)->loadsStarted;
    }

    WebKitWebView* view;
    gulong hook = 0;
};

/// A reader web view in a window on the display, over a scratch folder of notes.
class WebViewTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ::setenv("GTK_A11Y", "none", 0);
        ::setenv("NO_AT_BRIDGE", "1", 0);
        if (std::filesystem::exists(LUMENLEAF_TEST_WEB_DIR "/reader.js"))
            ::setenv("LUMENLEAF_WEB_DIR", LUMENLEAF_TEST_WEB_DIR, 1);
        gtk_init();
    }

    void SetUp() override {
        view->setOnLink([this](const std::string& url) { links.push_back(url); });
        window = GTK_WINDOW(gtk_window_new());
        gtk_window_set_default_size(window, 800, 600);
        gtk_window_set_child(window, view->widget());
        gtk_window_present(window);
    }

    void TearDown() override { gtk_window_destroy(window); }

    /// A page of the note `name` in the scratch folder.
    [[nodiscard]] ReaderPage note(const std::string& name, std::string body,
                                  int revision = 1) const {
        ReaderPage page;
        page.fileURL = markdown::URL::fileURL(folder / name);
        page.bodyHTML = std::move(body);
        page.revision = revision;
        return page;
    }
    [[nodiscard]] std::string readerAddress(const std::string& name) const {
        return "mdreader://local" + (folder / name).string();
    }

    /// Runs the main loop until the condition holds or the time is up.
    static bool waitUntil(const std::function<bool()>& condition,
                          std::chrono::milliseconds limit = std::chrono::seconds(20)) {
        auto deadline = std::chrono::steady_clock::now() + limit;
        while (!condition()) {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            g_main_context_iteration(nullptr, FALSE);
            g_usleep(1000);
        }
        return true;
    }
    /// Runs the main loop for a while, for things that must not happen.
    static void runFor(std::chrono::milliseconds time) {
        waitUntil([] { return false; }, time);
    }

    /// Shows the page and waits until its load has finished.
    [[nodiscard]] bool show(const ReaderPage& page, const notes::PageAppearance& appearance = {}) {
        view->update(page, appearance);
        return waitUntil([&] { return view->state().isLoaded(); });
    }

    /// The value of a script run in the page, or the text "error: " and its message.
    nlohmann::json run(const std::string& script) {
        std::optional<PageScripting::Result> result;
        scripting.evaluate(script, [&](PageScripting::Result answer) { result = answer; });
        if (!waitUntil([&] { return result.has_value(); }))
            return "error: no answer";
        if (const auto* error = std::get_if<PageScripting::Error>(&*result))
            return "error: " + error->message;
        return std::get<nlohmann::json>(*result);
    }

    notes::ScratchFolder folder;
    notes::MainLoopScheduler scheduler;
    WebBridge bridge;
    std::unique_ptr<ReaderWebView> view = std::make_unique<ReaderWebView>(bridge, scheduler);
    WebViewScripting scripting{view->webView(), scheduler};
    std::vector<std::string> links;
    GtkWindow* window = nullptr;
};

} // namespace reader
