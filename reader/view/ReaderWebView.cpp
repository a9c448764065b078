#include "reader/view/ReaderWebView.hpp"

#include "reader/view/ReaderScheme.hpp"

#include <nlohmann/json.hpp>

#include <memory>
#include <optional>

namespace reader {

namespace {

constexpr const char* messageChannel = "mdr";

using NavigationType = WebViewCoordinator::NavigationType;

NavigationType navigationType(WebKitNavigationType type) {
    switch (type) {
    case WEBKIT_NAVIGATION_TYPE_LINK_CLICKED:
        return NavigationType::linkActivated;
    case WEBKIT_NAVIGATION_TYPE_FORM_SUBMITTED:
        return NavigationType::formSubmitted;
    case WEBKIT_NAVIGATION_TYPE_BACK_FORWARD:
        return NavigationType::backForward;
    case WEBKIT_NAVIGATION_TYPE_RELOAD:
        return NavigationType::reload;
    case WEBKIT_NAVIGATION_TYPE_FORM_RESUBMITTED:
        return NavigationType::formResubmitted;
    case WEBKIT_NAVIGATION_TYPE_OTHER:
        break;
    }
    return NavigationType::other;
}

WebViewCoordinator::Navigation navigation(WebKitNavigationAction* action, bool newWindow) {
    WebViewCoordinator::Navigation navigation;
    navigation.type = navigationType(webkit_navigation_action_get_navigation_type(action));
    navigation.newWindow = newWindow;
    if (WebKitURIRequest* request = webkit_navigation_action_get_request(action)) {
        const char* url = webkit_uri_request_get_uri(request);
        if (url && *url)
            navigation.url = url;
    }
    return navigation;
}

gboolean decidePolicy(WebKitWebView*, WebKitPolicyDecision* decision, WebKitPolicyDecisionType type,
                      gpointer data) {
    if (type == WEBKIT_POLICY_DECISION_TYPE_RESPONSE)
        return FALSE;
    auto& coordinator = *static_cast<WebViewCoordinator*>(data);
    auto* action = webkit_navigation_policy_decision_get_navigation_action(
        WEBKIT_NAVIGATION_POLICY_DECISION(decision));
    auto policy = coordinator.decide(
        navigation(action, type == WEBKIT_POLICY_DECISION_TYPE_NEW_WINDOW_ACTION));
    if (policy == WebViewCoordinator::Policy::allow)
        webkit_policy_decision_use(decision);
    else
        webkit_policy_decision_ignore(decision);
    return TRUE;
}

void loadChanged(WebKitWebView*, WebKitLoadEvent event, gpointer data) {
    if (event == WEBKIT_LOAD_FINISHED)
        static_cast<WebViewCoordinator*>(data)->navigationFinished();
}

gboolean loadFailed(WebKitWebView*, WebKitLoadEvent, gchar*, GError*, gpointer data) {
    static_cast<WebViewCoordinator*>(data)->navigationFailed();
    // The page keeps what it showed; WebKit's own error page would replace it.
    return TRUE;
}

void messageReceived(WebKitUserContentManager*, JSCValue* value, gpointer data) {
    std::unique_ptr<gchar, decltype(&g_free)> text(jsc_value_to_json(value, 0), g_free);
    if (!text)
        return;
    auto body = nlohmann::json::parse(text.get(), nullptr, false);
    if (!body.is_discarded())
        static_cast<const WebViewCoordinator*>(data)->receiveMessage(body);
}

} // namespace

ReaderWebView::ReaderWebView(WebBridge& bridge, notes::Scheduler& scheduler)
    : bridge(bridge), view(notes::retainGObject(WEBKIT_WEB_VIEW(webkit_web_view_new()))),
      contentManager(notes::retainGObject(webkit_web_view_get_user_content_manager(view.get()))),
      scripting(std::make_shared<WebViewScripting>(view.get(), scheduler)),
      coordinator(bridge, scheduler,
                  [this](const std::string& html, const std::string& baseURL) {
                      webkit_web_view_load_html(this->view.get(), html.c_str(),
                                                baseURL.empty() ? nullptr : baseURL.c_str());
                  }),
      pinch(view.get()) {
    registerReaderScheme(webkit_web_view_get_context(view.get()));

    webkit_user_content_manager_register_script_message_handler(contentManager.get(),
                                                                messageChannel, nullptr);
    g_signal_connect(contentManager.get(), "script-message-received::mdr",
                     G_CALLBACK(messageReceived), &coordinator);

    webkit_settings_set_enable_fullscreen(webkit_web_view_get_settings(view.get()), FALSE);
    // The window's background shows where the page draws none.
    const GdkRGBA transparent{0, 0, 0, 0};
    webkit_web_view_set_background_color(view.get(), &transparent);

    g_signal_connect(view.get(), "decide-policy", G_CALLBACK(decidePolicy), &coordinator);
    g_signal_connect(view.get(), "load-changed", G_CALLBACK(loadChanged), &coordinator);
    g_signal_connect(view.get(), "load-failed", G_CALLBACK(loadFailed), &coordinator);

    copyConnection = bridge.copyRequested.connect([this](const std::string& text) {
        gdk_clipboard_set_text(gtk_widget_get_clipboard(widget()), text.c_str());
    });
    bridge.setWebView(scripting);
}

ReaderWebView::~ReaderWebView() {
    copyConnection.disconnect();
    webkit_user_content_manager_unregister_script_message_handler(contentManager.get(),
                                                                  messageChannel, nullptr);
    g_signal_handlers_disconnect_by_data(contentManager.get(), &coordinator);
    g_signal_handlers_disconnect_by_data(view.get(), &coordinator);
}

void ReaderWebView::update(const ReaderPage& page, const notes::PageAppearance& appearance) {
    bridge.setWebView(scripting);
    coordinator.update(page, appearance);
}

void ReaderWebView::setOnLink(std::function<void(const std::string&)> onLink) {
    coordinator.onLink = std::move(onLink);
}

void ReaderWebView::setOnLoaded(std::function<void()> onLoaded) {
    coordinator.onLoaded = std::move(onLoaded);
}

} // namespace reader
