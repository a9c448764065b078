#pragma once

#include "Markdown/URL.hpp"
#include "notes/CanonicallyEqual.hpp"
#include "notes/EditSession.hpp"
#include "notes/FileNode.hpp"
#include "notes/FolderWatcher.hpp"
#include "notes/LinkIndex.hpp"
#include "notes/Observable.hpp"
#include "notes/OutlineHeading.hpp"
#include "notes/RenderOptions.hpp"
#include "reader/EditorBridge.hpp"
#include "reader/FindStatus.hpp"
#include "reader/ReaderPage.hpp"
#include "reader/ReaderServices.hpp"
#include "reader/WebBridge.hpp"
#include "reader/WindowTarget.hpp"

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <system_error>
#include <unordered_map>
#include <variant>
#include <vector>

namespace reader {

/// The model of one reader window: the folder or single note it shows, the page rendered from
/// the note, history, find state and the switch between reading and editing.
///
/// Observed fields are `notes::Observable`s: storing a value equal to the held one notifies
/// nobody, while `index`, `editSession` and changes in place always notify. Lives on the main
/// thread and is always held by a `std::shared_ptr`, so that its delays and scans can hold it
/// weakly.
class ReaderModel : public std::enable_shared_from_this<ReaderModel> {
public:
    enum class Mode { read, edit };

    /// A model that shows nothing, in reading mode.
    [[nodiscard]] static std::shared_ptr<ReaderModel> create(ReaderServices services);
    ~ReaderModel();
    ReaderModel(const ReaderModel&) = delete;
    ReaderModel& operator=(const ReaderModel&) = delete;

    // Observed fields. Views may store into them directly (a sidebar's expanded folders, the
    // find query, the heading the page reports, focus mode, the render options).

    /// The open folder, standardized; none while a single note or nothing is open.
    notes::Observable<std::optional<markdown::URL>> folder;
    /// The folder's top-level nodes; empty for a single note.
    notes::Observable<std::vector<notes::FileNode>> tree;
    /// Every note of the folder.
    notes::Observable<std::vector<markdown::URL>> markdownFiles;
    /// From the start of a folder scan until a scan of the still open folder is installed.
    notes::Observable<bool> isScanning;
    /// The wikilink tables used when rendering.
    notes::Observable<notes::LinkIndex, notes::NeverEqual> index;
    /// Folders shown expanded in the sidebar, as paths with symbolic links resolved.
    notes::Observable<std::set<std::string>> expandedFolders;
    notes::Observable<std::string, notes::CanonicallyEqual> sidebarFilter;
    /// The note shown, standardized.
    notes::Observable<std::optional<markdown::URL>> file;
    /// What the web view shows; none without a note or when reading it failed.
    notes::Observable<std::optional<ReaderPage>> page;
    /// The outline of the note shown.
    notes::Observable<std::vector<notes::OutlineHeading>> headings;
    /// Why the note could not be read; shown in place of the page.
    notes::Observable<std::optional<std::string>, notes::CanonicallyEqual> errorMessage;
    /// The heading at the top of the visible page, as the page reports it.
    notes::Observable<std::optional<std::string>, notes::CanonicallyEqual> currentHeadingID;
    /// Notes to go back to, the most recent last.
    notes::Observable<std::vector<markdown::URL>> backStack;
    /// Notes to go forward to, the next one last.
    notes::Observable<std::vector<markdown::URL>> forwardStack;
    notes::Observable<bool> isFocusMode;
    notes::Observable<Mode> mode{Mode::read};
    /// The session of the note being edited.
    notes::Observable<std::shared_ptr<notes::EditSession>, notes::NeverEqual> editSession;
    /// The 1-based line at which the editor opens.
    notes::Observable<std::optional<int>> editorStartLine;
    /// A one-line message to the user.
    notes::Observable<std::optional<std::string>, notes::CanonicallyEqual> notice;
    notes::Observable<bool> isFindVisible;
    notes::Observable<std::string, notes::CanonicallyEqual> findQuery;
    notes::Observable<FindStatus> findStatus;
    /// How notes are rendered. Storing a different value re-renders the open note at once.
    notes::Observable<notes::RenderOptions> renderOptions;

    // Not observed.

    /// The link to the editor's text view.
    EditorBridge editor;
    /// The link to the page's scripts, shared with the web view.
    WebBridge web;
    /// The last vertical offset the page reported for each note; the window's views fill it.
    std::unordered_map<markdown::URL, double> scrollPositions;

    /// The window's title: the note's name without its last extension, else the folder's
    /// name, else "Lumenleaf".
    [[nodiscard]] std::string title() const;

    /// Renders the text as the page of the note at `url` and publishes the outline, then the
    /// page. Without an anchor the page restores the note's last scroll offset.
    void render(const std::string& text, const markdown::URL& url,
                const std::optional<std::string>& anchor, std::optional<int> scrollLine);
    /// Reads the open note again and renders it; unless `force`, only when its text differs
    /// from the text last rendered. A failed read keeps the page as it is, silently.
    void refreshPage(bool force);

    /// The text of a file for display: UTF-8 with each invalid sequence replaced by U+FFFD.
    /// Only a failure to read the file is an error; its message is for the user.
    [[nodiscard]] static std::variant<std::string, std::error_code>
    readText(const markdown::URL& file);

    /// Whether the window shows exactly this target (URLs compared as written).
    [[nodiscard]] bool matches(const WindowTarget& target) const;

private:
    struct Key {};

public:
    ReaderModel(Key, ReaderServices services);

private:
    void renderOptionsChanged();

    ReaderServices services;
    /// The text the page was last rendered from.
    std::optional<std::string> lastSource;
    /// Raised for every rendering; the first page of a window is revision 1.
    int revision = 0;
};

} // namespace reader
