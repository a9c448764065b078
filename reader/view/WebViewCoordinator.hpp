#pragma once

#include "Markdown/support/URL.hpp"
#include "notes/page/PageAppearance.hpp"
#include "notes/runtime/Scheduler.hpp"
#include "reader/model/ReaderPage.hpp"
#include "reader/model/WebBridge.hpp"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace reader {

/// What the reader web view knows of its page and what it does about updates, navigations and
/// the page's messages. Free of any toolkit: the web view reports to it and carries out its loads.
class WebViewCoordinator {
public:
    /// Loads page text into the web view at a base URL (empty for none).
    using LoadHTML = std::function<void(const std::string& html, const std::string& baseURL)>;

    enum class NavigationType {
        linkActivated,
        formSubmitted,
        backForward,
        reload,
        formResubmitted,
        other,
    };
    struct Navigation {
        NavigationType type = NavigationType::other;
        /// The requested URL; none when the request has none.
        std::optional<std::string> url;
        /// The navigation asks for a new window.
        bool newWindow = false;
    };
    enum class Policy { cancel, allow };

    WebViewCoordinator(WebBridge& bridge, notes::Scheduler& scheduler, LoadHTML load);
    WebViewCoordinator(const WebViewCoordinator&) = delete;
    WebViewCoordinator& operator=(const WebViewCoordinator&) = delete;

    /// Brings the page up to date. Another note, or a new rendering while the page is still
    /// loading, loads the whole page template; a new rendering of the loaded note swaps the
    /// content in place; then a changed appearance is sent. While the template of this very
    /// rendering is loading, nothing is done: the end of the load catches up.
    void update(const ReaderPage& page, const notes::PageAppearance& appearance);

    /// Decides a navigation of the page. An activated link is cancelled and its URL handed to
    /// `onLink` on a later turn of the main loop. Only the template loads that `update` started
    /// are allowed: a note's own refresh or reload, history moves and forms are cancelled.
    [[nodiscard]] Policy decide(const Navigation& navigation);
    /// A navigation of the page failed; the finish reported after it does not count.
    void navigationFailed();
    /// A navigation of the page finished. When it is the latest template, the page is loaded
    /// and gets the latest appearance if that differs from the one it was built with.
    void navigationFinished();
    /// Dispatches one "mdr" message of the page through the bridge. Scroll offsets count only
    /// once the page has loaded, so that a late report of the previous page is not stored under
    /// the note being loaded.
    void receiveMessage(const nlohmann::json& body) const;

    /// Called with the URL of a link that the user activated in the page.
    std::function<void(const std::string&)> onLink;
    /// Called when the latest template has loaded.
    std::function<void()> onLoaded;

    /// The note whose template was loaded last.
    [[nodiscard]] const std::optional<markdown::URL>& loadedFile() const { return file; }
    /// The revision that the page holds or is loading; -1 before the first load.
    [[nodiscard]] int loadedRevision() const { return revision; }
    /// The appearance that the page holds or is loading.
    [[nodiscard]] const std::optional<notes::PageAppearance>& loadedAppearance() const {
        return appearance;
    }
    /// False from the start of a template load until it finishes.
    [[nodiscard]] bool isLoaded() const { return loaded; }

private:
    struct Template {
        /// The URL that the load's navigation asks for.
        std::string url;
        std::uint64_t generation = 0;
    };

    void fullLoad(const ReaderPage& page, const notes::PageAppearance& pageAppearance);
    void appearanceStep(const notes::PageAppearance& wanted);
    void handOverLink(std::string url);

    WebBridge& bridge;
    notes::Scheduler& scheduler;
    LoadHTML load;

    std::optional<markdown::URL> file;
    int revision = -1;
    std::optional<notes::PageAppearance> appearance;
    bool loaded = false;

    /// The appearance of the latest update; none before the first.
    std::optional<notes::PageAppearance> latestAppearance;
    /// Template loads started and not yet let through, oldest first.
    std::deque<Template> expectedTemplates;
    std::uint64_t templatesStarted = 0;
    /// The template whose navigation was let through last.
    std::uint64_t navigatingTemplate = 0;
    bool lastNavigationFailed = false;
    /// Links handed over later are dropped once the coordinator is gone.
    std::shared_ptr<int> lifetime = std::make_shared<int>();
};

} // namespace reader
