#include "notes/EditSession.hpp"

#include "notes/AtomicWrite.hpp"
#include "notes/ReadFile.hpp"

namespace notes {

std::variant<std::shared_ptr<EditSession>, std::error_code>
EditSession::open(markdown::URL url, Scheduler& scheduler) {
    auto bytes = readFile(url.filesystemPath());
    if (auto* error = std::get_if<std::error_code>(&bytes))
        return *error;
    auto decoded = FileText::decode(std::get<std::string>(bytes));
    if (auto* error = std::get_if<FileText::ReadError>(&decoded))
        return make_error_code(*error);
    return std::make_shared<EditSession>(Key{}, std::move(url),
                                         std::get<FileText>(std::move(decoded)), scheduler);
}

EditSession::EditSession(Key, markdown::URL url, FileText format, Scheduler& scheduler)
    : text(format.text), savedText(format.text), fileURL(std::move(url)),
      fileFormat(std::move(format)), scheduler(scheduler) {}

bool EditSession::isDirty() const {
    return !CanonicallyEqual{}(*text, *savedText);
}

bool EditSession::hasDiskConflict() const {
    return conflict->has_value() && std::holds_alternative<ChangedOnDisk>(**conflict);
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
    if (hasDiskConflict())
        return false;
    const FileText file{*text, fileFormat.hasBOM, fileFormat.lineEnding};
    if (auto error = writeFileAtomically(fileURL.filesystemPath(), file.encoded())) {
        lastError.set("Couldn\u2019t save \u201c" + fileURL.filesystemPath().filename().string() +
                      "\u201d. " + error.message());
        return false;
    }
    savedText.set(*text);
    lastError.set(std::nullopt);
    return true;
}

void EditSession::replaceText(const std::string& newText) {
    if (onReplaceText)
        onReplaceText(newText);
}

void EditSession::diskChanged(std::string diskText) {
    // Also how the echo of this session's own write is recognised.
    if (CanonicallyEqual{}(*savedText, diskText))
        return;
    if (acknowledgedDiskText && CanonicallyEqual{}(*acknowledgedDiskText, diskText))
        return;
    if (hasDiskConflict()) {
        conflict.set(ChangedOnDisk{std::move(diskText)});
        return;
    }
    if (isDirty()) {
        cancelAutosave();
        conflict.set(ChangedOnDisk{std::move(diskText)});
        return;
    }
    text.set(diskText);
    savedText.set(diskText);
    conflict.set(std::nullopt);
    replaceText(diskText);
}

void EditSession::keepMine() {
    if (!hasDiskConflict())
        return;
    std::string theirs = std::get<ChangedOnDisk>(**conflict).theirs;
    acknowledgedDiskText = theirs;
    savedText.set(std::move(theirs));
    conflict.set(std::nullopt);
    scheduleAutosave();
}

void EditSession::loadTheirs() {
    if (!hasDiskConflict())
        return;
    std::string theirs = std::get<ChangedOnDisk>(**conflict).theirs;
    std::string mine = *text;
    text.set(theirs);
    savedText.set(theirs);
    conflict.set(LoadedTheirs{std::move(mine)});
    replaceText(theirs);
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

} // namespace notes
