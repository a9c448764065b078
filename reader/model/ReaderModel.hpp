#pragma once

#include "Markdown/support/URL.hpp"
#include "notes/files/EditSession.hpp"
#include "notes/render/OutlineHeading.hpp"
#include "notes/render/RenderOptions.hpp"
#include "notes/runtime/Observable.hpp"
#include "notes/text/CanonicallyEqual.hpp"
#include "notes/vault/FileNode.hpp"
#include "notes/vault/FolderSnapshot.hpp"
#include "notes/vault/LinkIndex.hpp"
#include "notes/watch/FolderWatcher.hpp"
#include "reader/model/EditorBridge.hpp"
#include "reader/model/FindStatus.hpp"
#include "reader/model/ReaderPage.hpp"
#include "reader/model/ReaderServices.hpp"
#include "reader/model/WebBridge.hpp"
#include "reader/model/WindowTarget.hpp"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
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
    /// The open note is larger than `largestShownNote`: it was not read, and `errorMessage`
    /// says so.
    notes::Observable<bool> isTooLarge;
    /// From the start of a rendering until the newest one's page is installed, or until the
    /// window drops it for a note that has no page.
    notes::Observable<bool> isRendering;
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
    /// Messages to the user, a line each. One about the note shown (why it cannot be edited)
    /// goes when another note is shown; those about the folder stay.
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

    // Opening and history.

    /// Opens the folder: the window forgets what it showed, the folder is noted as the most
    /// recent one, watched and scanned, and then `initialFile` opens when it exists, else the
    /// folder's start note. A note being edited is saved and its session ended first; when it
    /// cannot be saved, the system beeps and nothing changes.
    void openFolder(const markdown::URL& folder, const std::optional<markdown::URL>& initialFile);
    /// Opens the note without a folder: wikilinks resolve among the files beside it, and its
    /// folder is watched. A note being edited is saved and its session ended first, as above.
    void openFile(const markdown::URL& note);
    /// Shows the note, with history when `pushHistory`; a file that is not a note goes to the
    /// desktop. The note already shown is only scrolled to the anchor. While editing, the
    /// session is saved first (when that fails the system beeps and the note stays) and the
    /// editor moves on to the new note at its first line.
    void open(const markdown::URL& url, const std::optional<std::string>& anchor = std::nullopt,
              bool pushHistory = true);
    void goBack();
    void goForward();
    /// Follows a link the user activated in the page, given as the address the page holds:
    /// local notes open with history (a missing one beeps), anything else goes to the desktop.
    void handleLink(const std::string& url);
    /// Whether the file belongs to what the window shows: inside its folder, or its single
    /// note.
    [[nodiscard]] bool contains(const markdown::URL& url) const;
    /// The first top-level note named, in any letter case, "readme", else "index", else
    /// "home".
    [[nodiscard]] std::optional<markdown::URL> findStartNote() const;
    /// Shows what the target names: its folder when something is there, else its file when
    /// something is there; otherwise the window keeps what it shows.
    void apply(const WindowTarget& target);

    // Following the disk.

    /// How long after the last structural change the folder is scanned again.
    static constexpr std::chrono::milliseconds rescanDelay{300};

    /// Scans the open folder in the background and installs the result, then calls `then`.
    /// Only the newest scan of the folder still open is installed; completions of older
    /// scans of the same folder wait for it, and those of another folder are dropped.
    void rescan(std::function<void()> then = {});
    /// One batch of the watcher: a change of the open note renders it again while reading
    /// (or goes to the edit session while editing; bytes that are not UTF-8 open a conflict
    /// over unsaved edits, and otherwise end editing with a notice); files created, removed or
    /// moved scan the folder again `rescanDelay` after the last such batch.
    void handleFolderChanges(std::span<const notes::FolderChange> changes);
    /// The notice for a folder with more sub-folders than the system lets a user watch.
    static constexpr std::string_view watchLimitNotice =
        "This folder is too large to watch at once: changes in some of its folders show up "
        "after a few seconds. The system setting fs.inotify.max_user_watches raises the limit.";
    /// The notice for a folder whose scan met more files than its limit and so left folders
    /// out; the folders listed before that are shown whole, however many files they hold.
    static constexpr std::string_view fileLimitNotice =
        "This folder holds more than 49,999 files: some of its folders are not shown.";

    /// The largest note shown, in bytes. Each byte of a note costs the web process 100 to 230
    /// bytes of memory for its page, and the renderer 30 to 45 more: a larger note is neither
    /// read nor rendered.
    static constexpr std::uintmax_t largestShownNote = std::uintmax_t{16} << 20;

    /// Renders the text as the page of the note at `url` in the background, then publishes the
    /// outline and the page on the main thread. Only the newest rendering is installed. Without
    /// an anchor the page restores the note's last scroll offset.
    void render(const std::string& text, const markdown::URL& url,
                const std::optional<std::string>& anchor, std::optional<int> scrollLine);
    /// Reads the open note again and renders it; unless `force`, only when its text differs
    /// from the text last rendered. A failed read keeps the page as it is, silently.
    void refreshPage(bool force);

    /// The text of a file for display: UTF-8 with each invalid sequence replaced by U+FFFD.
    /// Only a failure to read the file is an error; its message is for the user. A file larger
    /// than `largestShownNote` is refused with `file_too_large` before it is read.
    [[nodiscard]] static std::variant<std::string, std::error_code>
    readText(const markdown::URL& file);

    /// Whether the window shows exactly this target (URLs compared as written).
    [[nodiscard]] bool matches(const WindowTarget& target) const;

    // Reading and editing.

    /// Leaves editing when editing, else begins it.
    void toggleEditing();
    /// Asks the page for the line at its top, then enters editing there; nothing happens until
    /// the open note's page is shown. The answer is dropped when the window shows another note
    /// or has left reading by the time it arrives.
    void beginEditing();
    /// Closes the page's find and starts editing the open note at the 1-based line.
    void enterEditing(int line);
    /// Starts the session of the open note and shows the editor at the line. A file that cannot
    /// be read, or is not strict UTF-8, is not edited: reading goes on and `notice` says why.
    void beginEditSession(int line);
    /// Saves and goes back to reading at the editor's top line, rendering the page anew when the
    /// text changed. A disk conflict or a failed save beeps and keeps the editor.
    void leaveEditing();

    // Handing the note to other applications. None of them reports a failure.

    /// Shows the open note, else the open folder, selected in the file browser.
    void revealInFinder();
    /// Hands the open note to the Obsidian note application (`obsidianURL`).
    void openInObsidian();
    /// Opens the open note with the system's application for its type, this one left out.
    void openInDefaultEditor();
    /// Whether Obsidian is installed, as the desktop answered the first time the process
    /// asked: installing or removing it later changes nothing until the next start.
    [[nodiscard]] bool isObsidianInstalled() const;
    /// "obsidian://open" with the single query item "path", the note's path.
    [[nodiscard]] static std::string obsidianURL(const markdown::URL& note);

    // Closing the window.

    /// Edits that closing the window would lose.
    struct UnsavedEdits {
        enum class Reason {
            /// The file changed on disk under the user's unsaved edits.
            changedOnDisk,
            /// Writing the file failed; `error` says why.
            saveFailed,
        };
        markdown::URL file;
        Reason reason = Reason::saveFailed;
        std::optional<std::string> error;
    };
    /// The user's answer to `UnsavedEdits`.
    enum class CloseChoice {
        /// Write the user's text over the file on disk.
        keepMine,
        /// Close without writing; the file keeps what is on disk.
        discard,
        /// Keep the window open as it is.
        cancel,
    };
    /// Saves the note being edited before the window closes or the application quits. None when
    /// the window may close; otherwise the window stays open and asks the user. Call it again
    /// right before closing when the user could have typed since.
    [[nodiscard]] std::optional<UnsavedEdits> prepareToClose();
    /// Carries out the user's answer; true when the window may close now. When keeping the
    /// user's text fails to write, `prepareToClose` tells the new reason.
    [[nodiscard]] bool resolveClose(CloseChoice choice);

    // Find: in the page while reading, in the editor while editing.

    /// Shows the find bar and focuses its field; in the editor, the editor's find.
    void showFind();
    /// Moves to the next or previous match; while reading with the bar hidden, only shows it.
    void findNext(bool forward);
    /// Searches the page for `findQuery` and publishes the answer in `findStatus`.
    void find();
    /// Moves the page's highlight and publishes the answer in `findStatus`.
    void findStep(bool forward);
    /// Hides the find bar and clears the page's search; `findQuery` stays.
    void closeFind();
    /// Whether the page holds a search for the find bar: false from the bar's closing, or the
    /// page of another note, until the next search.
    [[nodiscard]] bool isPageSearched() const { return pageSearched; }

private:
    struct Key {};

public:
    ReaderModel(Key, ReaderServices services);

private:
    void renderOptionsChanged();
    bool saveEditSession();
    bool endEditing();
    /// Leaves editing without saving; the page shows the note as the disk has it.
    void discardEditSession();
    void watch(const markdown::URL& folder);
    void openInitialDocument(const std::optional<markdown::URL>& initialFile);
    void revealInSidebar(const markdown::URL& note);
    void loadCurrentFile(const std::optional<std::string>& anchor);
    void stepHistory(notes::Observable<std::vector<markdown::URL>>& from,
                     notes::Observable<std::vector<markdown::URL>>& to);
    void installScan(const markdown::URL& scanned, std::uint64_t scan,
                     notes::FolderSnapshot snapshot);
    void installRender(std::uint64_t rendering, RenderedNote rendered, const markdown::URL& url,
                       const std::optional<std::string>& anchor, std::optional<int> scrollLine);
    void dropRender();
    void openNoteChanged();
    /// Shows the message in the notice, after the one shown, if any.
    void tell(std::string_view message);
    /// Shows the message about the note shown in place of its earlier one, after the folder's.
    void tellAboutNote(std::string message);
    /// Takes the message about the note shown out of the notice.
    void forgetNoteNotice();
    void askPage(std::string_view function, const WebBridge::Arguments& arguments);
    void findRefreshed(FindStatus status);
    void showFindStatus(FindStatus status);
    /// The page no longer holds the bar's search: its count is 0 and 0, and answers still on
    /// their way count for nothing.
    void forgetPageSearch();
    void performInEditor(EditorTextView::FinderAction action);

    ReaderServices services;
    /// Watches the open folder, or the single note's folder.
    std::unique_ptr<notes::FolderWatcher> watcher;
    /// The text the page was last rendered from.
    std::optional<std::string> lastSource;
    /// Raised for every page installed; the first page of a window is revision 1.
    int revision = 0;
    /// The number of the newest rendering started; only its result is installed.
    std::uint64_t latestRender = 0;
    /// The pending delayed rescan.
    std::optional<notes::Scheduler::TaskId> rescanTask;
    /// The number of the newest scan started; only its result is installed.
    std::uint64_t latestScan = 0;
    /// Whether the open folder's notice of its file limit was shown.
    bool toldFileLimit = false;
    /// The line of `notice` that is about the note shown, if one is.
    std::optional<std::string> noteNotice;
    /// What to do once the open folder's newest scan is installed.
    std::vector<std::function<void()>> scanCompletions;
    /// Find requests sent to the page, and the newest of them whose answer is shown: answers
    /// may come back out of order, and an older one must not replace a newer one.
    std::uint64_t findRequests = 0;
    std::uint64_t findShown = 0;
    bool pageSearched = false;
};

} // namespace reader
