#pragma once

#include "Markdown/support/URL.hpp"
#include "notes/page/PageAppearance.hpp"
#include "reader/model/FindStatus.hpp"
#include "reader/model/PageScripting.hpp"

#include <nlohmann/json.hpp>
#include <sigc++/signal.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace reader {

/// The application's side of the page's `mdr` script interface: builds and sends calls, reads
/// their answers, and turns the page's "mdr" messages into signals. Shared by a window's model
/// and its web view; it keeps no queue and no page state, so calls made without a page are lost.
class WebBridge {
public:
    /// One argument of a page call; numbers passed must be finite.
    using Argument = std::variant<std::string, long long, double, bool>;
    using Arguments = std::vector<Argument>;

    WebBridge() = default;
    WebBridge(const WebBridge&) = delete;
    WebBridge& operator=(const WebBridge&) = delete;

    /// The script text that calls the page function with the arguments in order, each written
    /// as compact JSON. Arguments that cannot be written leave the call without any.
    [[nodiscard]] static std::string call(std::string_view name, const Arguments& arguments);

    /// The page, held weakly so that the bridge never keeps it alive.
    void setWebView(std::weak_ptr<PageScripting> view) { page = std::move(view); }
    [[nodiscard]] std::shared_ptr<PageScripting> webView() const { return page.lock(); }

    /// Moves keyboard focus into the find field; set by the window, called by the model.
    void setFocusFindField(std::function<void()> focus) { focusFind = std::move(focus); }
    [[nodiscard]] const std::function<void()>& focusFindField() const { return focusFind; }

    // Calls without a result.
    void scrollToAnchor(const std::string& id) const;
    void scrollToLine(int line) const;
    /// Replaces the page's content; with a line, brings that source line into view.
    void setContent(const std::string& html, std::optional<int> line) const;
    /// Sets the page's typeface, text scale and measure.
    void setAppearance(const notes::PageAppearance& appearance) const;

    /// Answers the 1-based source line at the top of the page; 1 when there is no page or the
    /// page gives no usable number. Without a page the answer comes at once.
    void topLine(std::function<void(int)> done) const;
    /// Runs a page find function and answers its status; 0 and 0 when there is no page or the
    /// page gives no usable answer. Without a page the answer comes at once.
    void evaluate(std::string_view name, const Arguments& arguments,
                  std::function<void(FindStatus)> done) const;

    /// Handles one "mdr" message body from the page. `loadedFile` is the file whose page the
    /// web view holds, if any. Malformed messages are ignored.
    void dispatchMessage(const nlohmann::json& body,
                         const std::optional<markdown::URL>& loadedFile) const;

    /// The page reports the heading at its top (none when it names none).
    sigc::signal<void(const std::optional<std::string>&)> headingChanged;
    /// The page reports its vertical scroll offset for the loaded file.
    sigc::signal<void(const markdown::URL&, double)> scrolled;
    /// The page asks for text to replace the clipboard's content.
    sigc::signal<void(const std::string&)> copyRequested;
    /// The page searched its new content for the search it held, and tells where it stands.
    sigc::signal<void(FindStatus)> findRefreshed;

private:
    void send(std::string_view name, const Arguments& arguments) const;

    std::weak_ptr<PageScripting> page;
    std::function<void()> focusFind;
};

} // namespace reader
