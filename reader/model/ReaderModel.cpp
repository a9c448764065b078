#include "reader/model/ReaderModel.hpp"

#include "Markdown/support/Fatal.hpp"
#include "notes/files/LenientUTF8.hpp"
#include "notes/files/ReadFile.hpp"
#include "notes/text/PathText.hpp"

namespace reader {

std::shared_ptr<ReaderModel> ReaderModel::create(ReaderServices services) {
    markdown::require(static_cast<bool>(services.render), "a reader model needs a renderer");
    markdown::require(static_cast<bool>(services.noteRecent),
                      "a reader model needs a place to note recent folders");
    return std::make_shared<ReaderModel>(Key{}, std::move(services));
}

ReaderModel::ReaderModel(Key, ReaderServices services) : services(std::move(services)) {
    // Connected first, so it runs before the views hear of the change.
    renderOptions.connect([this] { renderOptionsChanged(); });
    web.findRefreshed.connect([this](FindStatus status) { findRefreshed(status); });
}

ReaderModel::~ReaderModel() {
    if (rescanTask)
        services.scheduler.cancel(*rescanTask);
}

std::string ReaderModel::title() const {
    if (file.get())
        return std::string(
            notes::deletingPathExtension(notes::lastPathComponent(file.get()->path())));
    if (folder.get())
        return std::string(notes::lastPathComponent(folder.get()->path()));
    return "Lumenleaf";
}

std::variant<std::string, std::error_code> ReaderModel::readText(const markdown::URL& file) {
    auto read = notes::readFile(file.filesystemPath(), largestShownNote);
    if (auto* error = std::get_if<std::error_code>(&read))
        return *error;
    return notes::replacingInvalidUTF8(std::get<std::string>(read));
}

void ReaderModel::render(const std::string& text, const markdown::URL& url,
                         const std::optional<std::string>& anchor, std::optional<int> scrollLine) {
    std::uint64_t rendering = ++latestRender;
    isRendering.set(true);
    std::weak_ptr<ReaderModel> weak = weak_from_this();
    notes::Scheduler* scheduler = &services.scheduler;
    // The job owns copies of everything it reads: the window goes on changing meanwhile, and
    // may close before the job ends.
    services.background.run([weak, scheduler, rendering, render = services.render, text,
                             options = renderOptions.get(), index = index.get(), url, anchor,
                             scrollLine] {
        RenderedNote rendered = render(text, options, index, url);
        scheduler->post(
            [weak, rendering, rendered = std::move(rendered), url, anchor, scrollLine]() mutable {
                if (auto model = weak.lock())
                    model->installRender(rendering, std::move(rendered), url, anchor, scrollLine);
            });
    });
}

void ReaderModel::installRender(std::uint64_t rendering, RenderedNote rendered,
                                const markdown::URL& url, const std::optional<std::string>& anchor,
                                std::optional<int> scrollLine) {
    // Renderings overlap and may finish out of order: an older one would bring back a stale
    // page, or another note's.
    if (rendering != latestRender)
        return;
    ++revision;
    headings.set(std::move(rendered.headings));
    std::optional<double> scroll;
    if (!anchor) {
        if (auto stored = scrollPositions.find(url); stored != scrollPositions.end())
            scroll = stored->second;
    }
    // Another note's page starts without the search; the bar's next step searches it.
    if (page.get() && page.get()->fileURL != url)
        forgetPageSearch();
    page.set(ReaderPage{url, std::move(rendered.html), revision, anchor, scroll, scrollLine});
    isRendering.set(false);
}

void ReaderModel::dropRender() {
    ++latestRender;
    isRendering.set(false);
}

void ReaderModel::refreshPage(bool force) {
    if (!file.get())
        return;
    auto read = readText(**file);
    auto* text = std::get_if<std::string>(&read);
    if (!text)
        return;
    if (!force && lastSource && notes::CanonicallyEqual{}(*text, *lastSource))
        return;
    lastSource = std::move(*text);
    render(*lastSource, **file, std::nullopt, std::nullopt);
}

void ReaderModel::renderOptionsChanged() {
    refreshPage(true);
}

bool ReaderModel::matches(const WindowTarget& target) const {
    return target.matches(folder.get(), file.get());
}

} // namespace reader
