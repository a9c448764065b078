#pragma once

#include "notes/page/PageAppearance.hpp"
#include "notes/runtime/GObjectPtr.hpp"
#include "notes/runtime/Scheduler.hpp"
#include "reader/model/ReaderPage.hpp"
#include "reader/model/WebBridge.hpp"
#include "reader/view/PinchMagnification.hpp"
#include "reader/view/WebViewCoordinator.hpp"
#include "reader/view/WebViewScripting.hpp"

#include <sigc++/connection.h>
#include <webkit/webkit.h>

#include <functional>
#include <memory>
#include <string>

namespace reader {

/// The web view that shows a window's reading page. Made with the window's bridge, it serves
/// the "mdreader" scheme, attaches its page to the bridge and listens on the "mdr" message
/// channel: the page's "heading" and "scroll" reports arrive as the bridge's signals, and its
/// "copy" requests go to the widget's clipboard. Clicked links never navigate the page; they
/// go to `setOnLink`'s callback. A pinch magnifies the page. Lives on the main thread.
class ReaderWebView {
public:
    /// Makes the widget; nothing is loaded until the first update. The bridge and the scheduler
    /// must outlive the view.
    ReaderWebView(WebBridge& bridge, notes::Scheduler& scheduler);
    /// Removes the "mdr" message channel and lets go of the widget.
    ~ReaderWebView();
    ReaderWebView(const ReaderWebView&) = delete;
    ReaderWebView& operator=(const ReaderWebView&) = delete;

    /// The widget to put in a window.
    [[nodiscard]] GtkWidget* widget() const { return GTK_WIDGET(view.get()); }
    [[nodiscard]] WebKitWebView* webView() const { return view.get(); }

    /// Brings the page up to date with the model's page and the display settings; call it
    /// whenever either changes.
    void update(const ReaderPage& page, const notes::PageAppearance& appearance);

    /// Called on a later turn of the main loop with the URL of a link the user activated.
    void setOnLink(std::function<void(const std::string&)> onLink);
    /// Called whenever the latest page has loaded.
    void setOnLoaded(std::function<void()> onLoaded);

    /// What the page holds.
    [[nodiscard]] const WebViewCoordinator& state() const { return coordinator; }
    [[nodiscard]] const PinchMagnification& magnification() const { return pinch; }

private:
    WebBridge& bridge;
    notes::GObjectPtr<WebKitWebView> view;
    notes::GObjectPtr<WebKitUserContentManager> contentManager;
    std::shared_ptr<WebViewScripting> scripting;
    WebViewCoordinator coordinator;
    PinchMagnification pinch;
    sigc::connection copyConnection;
};

} // namespace reader
