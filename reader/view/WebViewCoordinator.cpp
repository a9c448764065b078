#include "reader/view/WebViewCoordinator.hpp"

#include "notes/page/PageTemplate.hpp"
#include "notes/text/ReaderURL.hpp"

#include <algorithm>
#include <utility>

namespace reader {

namespace {

// Where a page loaded without a base URL lives.
constexpr std::string_view blankPageURL = "about:blank";

} // namespace

WebViewCoordinator::WebViewCoordinator(WebBridge& bridge, notes::Scheduler& scheduler,
                                       LoadHTML load)
    : bridge(bridge), scheduler(scheduler), load(std::move(load)) {}

void WebViewCoordinator::update(const ReaderPage& page,
                                const notes::PageAppearance& pageAppearance) {
    latestAppearance = pageAppearance;
    const bool sameFile = file && *file == page.fileURL;
    const bool sameRevision = revision == page.revision;
    if (!sameFile || (!sameRevision && !loaded)) {
        fullLoad(page, pageAppearance);
        return;
    }
    if (!loaded)
        return;
    if (!sameRevision) {
        revision = page.revision;
        bridge.setContent(page.bodyHTML, page.scrollLine);
    }
    appearanceStep(pageAppearance);
}

void WebViewCoordinator::fullLoad(const ReaderPage& page,
                                  const notes::PageAppearance& pageAppearance) {
    file = page.fileURL;
    revision = page.revision;
    appearance = pageAppearance;
    loaded = false;

    std::optional<std::string_view> anchor;
    if (page.anchor)
        anchor = *page.anchor;
    std::optional<long> line;
    if (page.scrollLine)
        line = *page.scrollLine;
    std::string html =
        notes::makePageHTML(page.bodyHTML, pageAppearance, anchor, page.scroll, line);
    std::string baseURL = notes::readerURL(page.fileURL);
    expectedTemplates.push_back(
        {baseURL.empty() ? std::string(blankPageURL) : baseURL, ++templatesStarted});
    load(html, baseURL);
}

void WebViewCoordinator::appearanceStep(const notes::PageAppearance& wanted) {
    if (appearance && *appearance == wanted)
        return;
    appearance = wanted;
    bridge.setAppearance(wanted);
}

WebViewCoordinator::Policy WebViewCoordinator::decide(const Navigation& navigation) {
    if (navigation.type == NavigationType::linkActivated && navigation.url) {
        handOverLink(*navigation.url);
        return Policy::cancel;
    }
    if (navigation.newWindow || navigation.type != NavigationType::other || !navigation.url)
        return Policy::cancel;
    // Template loads are decided in the order they were started; one whose decision never
    // came is passed over by a later one.
    auto match = std::find_if(expectedTemplates.begin(), expectedTemplates.end(),
                              [&](const Template& load) { return load.url == *navigation.url; });
    if (match == expectedTemplates.end())
        return Policy::cancel;
    navigatingTemplate = match->generation;
    expectedTemplates.erase(expectedTemplates.begin(), std::next(match));
    return Policy::allow;
}

void WebViewCoordinator::handOverLink(std::string url) {
    // The web view is still deciding; the link is handled once it has its answer.
    scheduler.post([this, alive = std::weak_ptr<int>(lifetime), url = std::move(url)] {
        if (alive.expired() || !latestAppearance || !onLink)
            return;
        onLink(url);
    });
}

void WebViewCoordinator::navigationFailed() {
    lastNavigationFailed = true;
}

void WebViewCoordinator::navigationFinished() {
    if (std::exchange(lastNavigationFailed, false))
        return;
    // The end of an older template, overtaken by a load that is still on its way.
    if (navigatingTemplate != templatesStarted)
        return;
    loaded = true;
    if (latestAppearance)
        appearanceStep(*latestAppearance);
    if (onLoaded)
        onLoaded();
}

void WebViewCoordinator::receiveMessage(const nlohmann::json& body) const {
    bridge.dispatchMessage(body, loaded ? file : std::nullopt);
}

} // namespace reader
