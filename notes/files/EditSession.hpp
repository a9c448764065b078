#pragma once

#include "Markdown/support/URL.hpp"
#include "notes/files/FileStamp.hpp"
#include "notes/files/FileText.hpp"
#include "notes/runtime/Observable.hpp"
#include "notes/runtime/Scheduler.hpp"
#include "notes/text/CanonicallyEqual.hpp"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <variant>

namespace notes {

/// The editing state of one note while the editor shows it: the text being edited, the text
/// known to be on disk, an autosave shortly after the last change, and reconciliation with
/// changes other programs make to the file. While a disk conflict is open it writes nothing.
/// Before every write it makes sure the file still holds what the session last read or wrote;
/// a change found then is taken as if it had been reported, so no write replaces bytes that the
/// session has not seen. Texts compare under canonical equivalence. Lives on the main thread.
class EditSession : public std::enable_shared_from_this<EditSession> {
public:
    /// The file changed on disk while there were unsaved edits; `theirs` is its latest text.
    struct ChangedOnDisk {
        std::string theirs;
        std::optional<FileStamp> stamp = std::nullopt; ///< Of their file, when known.
        friend bool operator==(const ChangedOnDisk& a, const ChangedOnDisk& b) {
            return CanonicallyEqual{}(a.theirs, b.theirs);
        }
    };
    /// The user replaced their edits with the disk text; `mine` is kept for an undo.
    struct LoadedTheirs {
        std::string mine;
        friend bool operator==(const LoadedTheirs& a, const LoadedTheirs& b) {
            return CanonicallyEqual{}(a.mine, b.mine);
        }
    };
    /// The file on disk became bytes that are not UTF-8 while there were unsaved edits; they
    /// cannot be loaded, only overwritten. `theirs` is their text decoded leniently.
    struct NotUTF8OnDisk {
        std::string theirs;
        FileStamp stamp;
        friend bool operator==(const NotUTF8OnDisk& a, const NotUTF8OnDisk& b) {
            return a.stamp.sameBytes(b.stamp);
        }
    };
    using Conflict = std::variant<ChangedOnDisk, LoadedTheirs, NotUTF8OnDisk>;

    static constexpr std::chrono::milliseconds defaultAutosaveDelay{900};

    /// Reads and strictly decodes the note. Fails with the read error or
    /// `FileText::ReadError::notUTF8`; the code's message is for the user.
    [[nodiscard]] static std::variant<std::shared_ptr<EditSession>, std::error_code>
    open(markdown::URL url, Scheduler& scheduler);

    EditSession(const EditSession&) = delete;
    EditSession& operator=(const EditSession&) = delete;

    // Observed. Setting one directly only stores it (views do so); it neither saves nor
    // touches the conflict.
    Observable<std::string, CanonicallyEqual> text;      ///< The editor's current text.
    Observable<std::string, CanonicallyEqual> savedText; ///< What is held to be on disk.
    Observable<std::optional<Conflict>> conflict;
    /// "Couldn’t save “name”. " and the reason, after a failed write; none after a good one.
    Observable<std::optional<std::string>, CanonicallyEqual> lastError;

    /// Called whenever the session itself replaces `text` (a reload, Load Theirs, the undo of
    /// it), so the editor can show the new text.
    std::function<void(const std::string&)> onReplaceText;
    /// Called when the user chooses to stop editing rather than overwrite bytes that are not
    /// UTF-8; the owner ends editing without saving.
    std::function<void()> onStopEditing;

    [[nodiscard]] const markdown::URL& url() const noexcept { return fileURL; }
    /// The file as first decoded: its mark is written on every save, and its line ending is
    /// the one typed and pasted text is converted to.
    [[nodiscard]] const FileText& format() const noexcept { return fileFormat; }
    /// Unsaved edits: `text` differs from `savedText`.
    [[nodiscard]] bool isDirty() const;
    /// A conflict with the disk is open (`ChangedOnDisk` or `NotUTF8OnDisk`): nothing is saved
    /// until the user answers it.
    [[nodiscard]] bool hasDiskConflict() const;
    [[nodiscard]] Scheduler::Duration autosaveDelay() const noexcept { return delay; }
    void setAutosaveDelay(Scheduler::Duration newDelay) noexcept { delay = newDelay; }

    /// The editor's whole new text after a change by the user; saves after the delay.
    void textDidChange(std::string newText);
    /// Writes `text` now unless it equals `savedText`. False when the write failed (see
    /// `lastError`), a disk conflict is open, or the file turned out to have changed (which
    /// opens one). A note that has disappeared is written anew.
    bool save();
    /// The decoded text now on disk, with the stamp of its file when known. Reloads silently
    /// when there are no unsaved edits, otherwise keeps the user's text and opens a conflict.
    /// The echo of a save is ignored.
    void diskChanged(std::string diskText, std::optional<FileStamp> stamp = std::nullopt);
    /// The file now holds bytes that are not UTF-8: opens a `NotUTF8OnDisk` conflict, unless
    /// they are the bytes the session knows to be there. Meant for a session with unsaved
    /// edits; without, its owner rather ends editing.
    void diskChangedToNotUTF8(std::string_view bytes, const FileStamp& stamp);

    /// Answers a `ChangedOnDisk` or `NotUTF8OnDisk` conflict by overwriting the disk's bytes
    /// after the delay.
    void keepMine();
    /// Answers a `ChangedOnDisk` conflict by taking the disk text, keeping the user's for an
    /// undo.
    void loadTheirs();
    /// Answers `LoadedTheirs` by restoring the user's text and saving it after the delay.
    void undoLoadTheirs();
    /// Answers `NotUTF8OnDisk` by asking the owner to end editing (`onStopEditing`).
    void stopEditing();

private:
    struct Key {};

public:
    EditSession(Key, markdown::URL url, FileText format, std::optional<FileStamp> stamp,
                Scheduler& scheduler);

private:
    void scheduleAutosave();
    void cancelAutosave();
    void replaceText(const std::string& newText);
    [[nodiscard]] bool diskIsAsKnown();
    void failSave(const std::error_code& error);

    markdown::URL fileURL;
    FileText fileFormat;
    Scheduler& scheduler;
    Scheduler::Duration delay = defaultAutosaveDelay;
    std::optional<Scheduler::TaskId> autosaveTask;
    /// The disk text the user chose to overwrite; never forgotten during the session.
    std::optional<std::string> acknowledgedDiskText;
    /// The file as the session last read, wrote or accepted it; none when unknown, and then
    /// the bytes on disk are compared by their text.
    std::optional<FileStamp> diskStamp;
};

} // namespace notes
