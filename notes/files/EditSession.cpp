#include "notes/files/EditSession.hpp"

#include "notes/files/AtomicWrite.hpp"
#include "notes/files/LenientUTF8.hpp"

#include <cerrno>

namespace notes {

std::variant<std::shared_ptr<EditSession>, std::error_code>
EditSession::open(markdown::URL url, Scheduler& scheduler) {
    auto read = readStampedFile(url.filesystemPath());
    if (auto* error = std::get_if<std::error_code>(&read))
        return *error;
    auto& file = std::get<StampedFile>(read);
    auto decoded = FileText::decode(file.bytes);
    if (auto* error = std::get_if<FileText::ReadError>(&decoded))
        return make_error_code(*error);
    return std::make_shared<EditSession>(
        Key{}, std::move(url), std::get<FileText>(std::move(decoded)), file.stamp, scheduler);
}

EditSession::EditSession(Key, markdown::URL url, FileText format, std::optional<FileStamp> stamp,
                         Scheduler& scheduler)
    : text(format.text), savedText(format.text), fileURL(std::move(url)),
      fileFormat(std::move(format)), scheduler(scheduler), diskStamp(stamp) {}

bool EditSession::isDirty() const {
    return !CanonicallyEqual{}(*text, *savedText);
}

bool EditSession::hasDiskConflict() const {
    return conflict->has_value() && !std::holds_alternative<LoadedTheirs>(**conflict);
}

void EditSession::textDidChange(std::string newText) {
    if (CanonicallyEqual{}(*text, newText))
        return;
    text.set(std::move(newText));
    // Typing ends the offer to undo Load Theirs.
    if (conflict->has_value() && std::holds_alternative<LoadedTheirs>(**conflict))
        conflict.set(std::nullopt);
    scheduleAutosave();
}

void EditSession::cancelAutosave() {
    if (autosaveTask)
        scheduler.cancel(*std::exchange(autosaveTask, std::nullopt));
}

void EditSession::scheduleAutosave() {
    cancelAutosave();
    if (!isDirty() || hasDiskConflict())
        return;
    // Held weakly: a session dropped before the delay ends saves nothing.
    autosaveTask = scheduler.runAfter(delay, [weak = weak_from_this()] {
        if (auto session = weak.lock()) {
            session->autosaveTask.reset();
            session->save();
        }
    });
}

bool EditSession::save() {
    cancelAutosave();
    if (!isDirty())
        return true;
    if (hasDiskConflict() || !diskIsAsKnown())
        return false;
    const FileText file{*text, fileFormat.hasBOM, fileFormat.lineEnding};
    const std::string bytes = file.encoded();
    const std::filesystem::path path = fileURL.filesystemPath();
    if (auto error = writeFileAtomically(path, bytes)) {
        failSave(error);
        return false;
    }
    struct stat status {};
    diskStamp = ::stat(path.c_str(), &status) == 0
                    ? std::optional<FileStamp>(FileStamp::of(status, bytes))
                    : std::nullopt;
    savedText.set(*text);
    lastError.set(std::nullopt);
    return true;
}

// Whether the file still holds what the session knows to be there, so that writing loses
// nothing. A change found here is handled as a reported one and may open a conflict.
bool EditSession::diskIsAsKnown() {
    const std::filesystem::path path = fileURL.filesystemPath();
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        // A note that has disappeared holds no one's text: it is written anew.
        if (errno == ENOENT)
            return true;
        failSave({errno, std::system_category()});
        return false;
    }
    if (diskStamp && diskStamp->provesUnchanged(status))
        return true;
    auto read = readStampedFile(path);
    if (auto* error = std::get_if<std::error_code>(&read)) {
        if (*error == std::errc::no_such_file_or_directory)
            return true;
        failSave(*error);
        return false;
    }
    auto& file = std::get<StampedFile>(read);
    if (diskStamp && diskStamp->sameBytes(file.stamp)) {
        diskStamp = file.stamp;
        return true;
    }
    auto decoded = FileText::decode(file.bytes);
    if (auto* disk = std::get_if<FileText>(&decoded))
        diskChanged(std::move(disk->text), file.stamp);
    else
        diskChangedToNotUTF8(file.bytes, file.stamp);
    return !hasDiskConflict();
}

void EditSession::failSave(const std::error_code& error) {
    lastError.set("Couldn\u2019t save \u201c" + fileURL.filesystemPath().filename().string() +
                  "\u201d. " + error.message());
}

void EditSession::replaceText(const std::string& newText) {
    if (onReplaceText)
        onReplaceText(newText);
}

void EditSession::diskChanged(std::string diskText, std::optional<FileStamp> stamp) {
    // Also how the echo of this session's own write is recognised.
    if (CanonicallyEqual{}(*savedText, diskText) ||
        (acknowledgedDiskText && CanonicallyEqual{}(*acknowledgedDiskText, diskText))) {
        if (stamp)
            diskStamp = stamp;
        return;
    }
    if (hasDiskConflict()) {
        conflict.set(ChangedOnDisk{std::move(diskText), stamp});
        return;
    }
    if (isDirty()) {
        cancelAutosave();
        conflict.set(ChangedOnDisk{std::move(diskText), stamp});
        return;
    }
    text.set(diskText);
    savedText.set(diskText);
    diskStamp = stamp;
    conflict.set(std::nullopt);
    replaceText(diskText);
}

void EditSession::diskChangedToNotUTF8(std::string_view bytes, const FileStamp& stamp) {
    // The bytes the user already chose to overwrite.
    if (diskStamp && diskStamp->sameBytes(stamp))
        return;
    cancelAutosave();
    conflict.set(NotUTF8OnDisk{replacingInvalidUTF8(bytes), stamp});
}

void EditSession::keepMine() {
    if (!hasDiskConflict())
        return;
    if (auto* changed = std::get_if<ChangedOnDisk>(&**conflict)) {
        acknowledgedDiskText = changed->theirs;
        diskStamp = changed->stamp;
        savedText.set(changed->theirs);
    } else {
        auto& notUTF8 = std::get<NotUTF8OnDisk>(**conflict);
        diskStamp = notUTF8.stamp;
        savedText.set(notUTF8.theirs);
    }
    conflict.set(std::nullopt);
    scheduleAutosave();
}

void EditSession::loadTheirs() {
    if (!conflict->has_value() || !std::holds_alternative<ChangedOnDisk>(**conflict))
        return;
    ChangedOnDisk changed = std::get<ChangedOnDisk>(**conflict);
    std::string mine = *text;
    text.set(changed.theirs);
    savedText.set(changed.theirs);
    diskStamp = changed.stamp;
    conflict.set(LoadedTheirs{std::move(mine)});
    replaceText(changed.theirs);
}

void EditSession::undoLoadTheirs() {
    if (!conflict->has_value() || !std::holds_alternative<LoadedTheirs>(**conflict))
        return;
    std::string mine = std::get<LoadedTheirs>(**conflict).mine;
    text.set(mine);
    conflict.set(std::nullopt);
    replaceText(mine);
    scheduleAutosave();
}

void EditSession::stopEditing() {
    if (conflict->has_value() && std::holds_alternative<NotUTF8OnDisk>(**conflict) && onStopEditing)
        onStopEditing();
}

} // namespace notes
