// Opening folders and notes, history and links.
#include "reader/model/ReaderModel.hpp"

#include "notes/text/PathText.hpp"
#include "notes/text/PercentEncoding.hpp"
#include "notes/text/PlainText.hpp"
#include "notes/text/ReaderURL.hpp"
#include "notes/text/URLComponents.hpp"
#include "reader/model/DiskPath.hpp"

#include <array>
#include <filesystem>

namespace reader {
namespace {

constexpr std::array<std::string_view, 3> startNoteNames{"readme", "index", "home"};

// Every item directly in the folder except hidden ones; nothing when it cannot be listed.
std::vector<markdown::URL> visibleItems(const markdown::URL& folder) {
    std::vector<markdown::URL> items;
    std::error_code error;
    std::filesystem::directory_iterator listing(folder.filesystemPath(), error);
    for (; !error && listing != std::filesystem::directory_iterator(); listing.increment(error)) {
        std::string name = listing->path().filename().native();
        if (!name.starts_with('.'))
            items.push_back(
                markdown::URL::fileURL(notes::appendingPathComponent(folder.path(), name)));
    }
    return items;
}

// The text after the first "#", if the address has one.
std::optional<std::string_view> fragmentOf(std::string_view url) {
    std::size_t hash = url.find('#');
    if (hash == std::string_view::npos)
        return std::nullopt;
    return url.substr(hash + 1);
}

} // namespace

bool ReaderModel::saveEditSession() {
    const auto& session = editSession.get();
    if (!session)
        return true;
    // Saving over a file that changed under unsaved edits would lose the other program's text.
    if (session->hasDiskConflict()) {
        services.desktop.beep();
        return false;
    }
    if (!session->save()) {
        services.desktop.beep();
        return false;
    }
    return true;
}

bool ReaderModel::endEditing() {
    if (!saveEditSession())
        return false;
    // A session left running would autosave into a folder nobody watches any more, and
    // overwrite whatever other programs write there meanwhile.
    editSession.set(nullptr);
    mode.set(Mode::read);
    return true;
}

void ReaderModel::watch(const markdown::URL& watched) {
    // What was said about the folder watched before is not true of the next.
    notice.set(std::nullopt);
    noteNotice.reset();
    std::weak_ptr<ReaderModel> weak = weak_from_this();
    watcher = std::make_unique<notes::FolderWatcher>(
        watched.path(), [weak](std::span<const notes::FolderChange> changes) {
            if (auto model = weak.lock())
                model->handleFolderChanges(changes);
        });
    if (file.get())
        watcher->followFile(file.get()->path());
}

void ReaderModel::openFolder(const markdown::URL& url,
                             const std::optional<markdown::URL>& initialFile) {
    if (!endEditing())
        return;
    markdown::URL opened = standardizedFileURL(url);
    folder.set(opened);
    file.set(std::nullopt);
    forgetNoteNotice();
    dropRender();
    // The outline first, as with every page: the views take it when the page changes.
    headings.set({});
    page.set(std::nullopt);
    backStack.set({});
    forwardStack.set({});
    expandedFolders.set({});
    sidebarFilter.set("");
    services.noteRecent(opened);
    toldFileLimit = false;
    watch(opened);
    scanCompletions.clear();
    std::weak_ptr<ReaderModel> weak = weak_from_this();
    rescan([weak, initialFile] {
        if (auto model = weak.lock())
            model->openInitialDocument(initialFile);
    });
}

void ReaderModel::openInitialDocument(const std::optional<markdown::URL>& initialFile) {
    if (initialFile && existsAt(*initialFile))
        open(*initialFile, std::nullopt, false);
    else if (auto start = findStartNote())
        open(*start, std::nullopt, false);
}

std::optional<markdown::URL> ReaderModel::findStartNote() const {
    for (std::string_view name : startNoteNames) {
        for (const notes::FileNode& node : tree.get()) {
            if (node.isFolder())
                continue;
            auto fileName = notes::lastPathComponent(node.url.path());
            if (notes::lowercased(notes::deletingPathExtension(fileName)) == name)
                return node.url;
        }
    }
    return std::nullopt;
}

void ReaderModel::openFile(const markdown::URL& note) {
    bool wasEditing = editSession.get() != nullptr;
    if (!endEditing())
        return;
    markdown::URL standardized = standardizedFileURL(note);
    markdown::URL noteFolder =
        markdown::URL::fileURL(std::string(notes::deletingLastPathComponent(standardized.path())));
    folder.set(std::nullopt);
    tree.set({});
    markdownFiles.set({});
    backStack.set({});
    forwardStack.set({});
    // No folder scan can finish for the window any more.
    scanCompletions.clear();
    isScanning.set(false);
    watch(noteFolder);
    index.set(notes::LinkIndex(noteFolder, visibleItems(noteFolder)));
    open(standardized, std::nullopt, false);
    // The note shown stays unread by `open`; what was edited must reach the page.
    if (wasEditing)
        refreshPage(false);
}

void ReaderModel::open(const markdown::URL& url, const std::optional<std::string>& anchor,
                       bool pushHistory) {
    markdown::URL note = standardizedFileURL(url);
    if (!notes::hasMarkdownExtension(note.path())) {
        services.desktop.openFile(note);
        return;
    }
    if (file.get() == note) {
        if (anchor && mode.get() == Mode::read)
            web.scrollToAnchor(*anchor);
        return;
    }
    if (!saveEditSession())
        return;
    if (pushHistory && file.get()) {
        markdown::URL shown = *file.get();
        backStack.modify([&](auto& stack) { stack.push_back(shown); });
        forwardStack.modify([](auto& stack) { stack.clear(); });
    }
    file.set(note);
    forgetNoteNotice();
    if (watcher)
        watcher->followFile(note.path());
    lastSource.reset();
    currentHeadingID.set(std::nullopt);
    revealInSidebar(note);
    loadCurrentFile(anchor);
    // The editor stays open and moves to the new note.
    if (mode.get() == Mode::edit)
        beginEditSession(1);
}

void ReaderModel::revealInSidebar(const markdown::URL& note) {
    if (!folder.get())
        return;
    std::string root = resolvedPath(*folder.get());
    std::string up(notes::deletingLastPathComponent(note.path()));
    for (;;) {
        std::string path = resolvedPath(markdown::URL::fileURL(up));
        if (path.size() <= root.size() || !path.starts_with(root))
            return;
        expandedFolders.modify([&](auto& folders) { folders.insert(path); });
        up = notes::deletingLastPathComponent(up);
    }
}

void ReaderModel::loadCurrentFile(const std::optional<std::string>& anchor) {
    if (!file.get())
        return;
    markdown::URL note = *file.get();
    auto read = readText(note);
    if (auto* error = std::get_if<std::error_code>(&read)) {
        const std::string name(notes::lastPathComponent(note.path()));
        const bool tooLarge = *error == std::errc::file_too_large;
        isTooLarge.set(tooLarge);
        errorMessage.set(tooLarge ? "\u201c" + name + "\u201d is larger than " +
                                        std::to_string(largestShownNote >> 20) +
                                        " MB, too large to show here."
                                  : "Couldn't open \u201c" + name + "\u201d. " + error->message());
        // A rendering of the note shown before must not bring its page back.
        dropRender();
        headings.set({});
        page.set(std::nullopt);
        return;
    }
    lastSource = std::move(std::get<std::string>(read));
    isTooLarge.set(false);
    errorMessage.set(std::nullopt);
    render(*lastSource, note, anchor, std::nullopt);
}

void ReaderModel::goBack() {
    stepHistory(backStack, forwardStack);
}

void ReaderModel::goForward() {
    stepHistory(forwardStack, backStack);
}

void ReaderModel::stepHistory(notes::Observable<std::vector<markdown::URL>>& from,
                              notes::Observable<std::vector<markdown::URL>>& to) {
    if (from->empty())
        return;
    markdown::URL target = from->back();
    from.modify([](auto& stack) { stack.pop_back(); });
    if (file.get()) {
        markdown::URL shown = *file.get();
        to.modify([&](auto& stack) { stack.push_back(shown); });
    }
    open(target, std::nullopt, false);
}

void ReaderModel::handleLink(const std::string& url) {
    notes::URLComponents components = notes::URLComponents::parse(url);
    if (components.scheme == "mdreader" && components.host == "local") {
        // An address of ours that names no file (a broken escape) is a missing target too;
        // the system would not know the scheme.
        auto local = notes::fileURLFromReaderURL(url);
        markdown::URL target = local.value_or(markdown::URL());
        // A wikilink target is written without its extension.
        if (local && !existsAt(target) && notes::pathExtension(target.path()).empty())
            target = markdown::URL::fileURL(target.path() + ".md");
        if (!existsAt(target)) {
            services.desktop.beep();
            return;
        }
        std::optional<std::string> anchor;
        if (auto fragment = fragmentOf(url))
            anchor = notes::percentDecoded(*fragment).value_or(std::string(*fragment));
        open(target, anchor, true);
        return;
    }
    if (components.scheme == "file") {
        auto path = notes::percentDecode(components.path);
        if (path && !path->empty() && path->find('\0') == std::string::npos) {
            std::optional<std::string> anchor;
            if (auto fragment = fragmentOf(url))
                anchor = std::string(*fragment);
            open(markdown::URL::fileURL(std::move(*path)), anchor, true);
            return;
        }
    }
    services.desktop.openURL(url);
}

bool ReaderModel::contains(const markdown::URL& url) const {
    markdown::URL standardized = standardizedFileURL(url);
    if (folder.get()) {
        std::string prefix = folder.get()->path();
        if (!prefix.ends_with('/'))
            prefix += '/';
        return standardized.path().starts_with(prefix);
    }
    return file.get() == standardized;
}

void ReaderModel::apply(const WindowTarget& target) {
    WindowTarget::Opening opening = target.opening();
    if (auto* openFolder = std::get_if<WindowTarget::OpenFolder>(&opening))
        this->openFolder(openFolder->folder, openFolder->initialFile);
    else if (auto* openFile = std::get_if<WindowTarget::OpenFile>(&opening))
        this->openFile(openFile->file);
}

} // namespace reader
