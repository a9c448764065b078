#include "reader/view/WebViewScripting.hpp"

#include "notes/runtime/GLibPtr.hpp"
#include "notes/runtime/GObjectPtr.hpp"

#include <memory>
#include <utility>

namespace reader {

namespace {

nlohmann::json jsonValue(JSCValue* value) {
    if (!value || jsc_value_is_undefined(value) || jsc_value_is_null(value))
        return nullptr;
    notes::GTextPtr text(jsc_value_to_json(value, 0));
    if (!text)
        return nullptr;
    auto parsed = nlohmann::json::parse(text.get(), nullptr, false);
    return parsed.is_discarded() ? nlohmann::json(nullptr) : parsed;
}

void finishEvaluation(GObject* source, GAsyncResult* result, gpointer data) {
    std::unique_ptr<PageScripting::Completion> completion(
        static_cast<PageScripting::Completion*>(data));
    GError* failure = nullptr;
    auto value = notes::adoptGObject(
        webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(source), result, &failure));
    notes::GErrorPtr error(failure);
    if (error)
        (*completion)(PageScripting::Error{error->message ? error->message : ""});
    else
        (*completion)(jsonValue(value.get()));
}

} // namespace

WebViewScripting::WebViewScripting(WebKitWebView* webView, notes::Scheduler& scheduler)
    : scheduler(scheduler) {
    g_weak_ref_init(&view, webView);
}

WebViewScripting::~WebViewScripting() {
    g_weak_ref_clear(&view);
}

void WebViewScripting::evaluate(const std::string& script) {
    auto webView = notes::adoptGObject(static_cast<WebKitWebView*>(g_weak_ref_get(&view)));
    if (!webView)
        return;
    webkit_web_view_evaluate_javascript(webView.get(), script.c_str(),
                                        static_cast<gssize>(script.size()), nullptr, nullptr,
                                        nullptr, nullptr, nullptr);
}

void WebViewScripting::evaluate(const std::string& script, Completion completion) {
    auto webView = notes::adoptGObject(static_cast<WebKitWebView*>(g_weak_ref_get(&view)));
    if (!webView) {
        scheduler.post(
            [completion = std::move(completion)] { completion(Error{"The page is gone"}); });
        return;
    }
    auto pending = std::make_unique<Completion>(std::move(completion));
    webkit_web_view_evaluate_javascript(webView.get(), script.c_str(),
                                        static_cast<gssize>(script.size()), nullptr, nullptr,
                                        nullptr, finishEvaluation, pending.release());
}

} // namespace reader
