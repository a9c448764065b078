// Folder scans and changes made on disk.
#include "reader/model/ReaderModel.hpp"

#include "notes/files/FileStamp.hpp"
#include "notes/files/FileText.hpp"
#include "reader/model/DiskPath.hpp"

#include <algorithm>

static_assert(notes::folderScanFileLimit == 49'999, "the notice of the file limit names it");

namespace reader {

void ReaderModel::rescan(std::function<void()> then) {
    if (!folder.get())
        return;
    isScanning.set(true);
    markdown::URL scanned = *folder.get();
    std::uint64_t scan = ++latestScan;
    if (then)
        scanCompletions.push_back(std::move(then));
    std::weak_ptr<ReaderModel> weak = weak_from_this();
    notes::Scheduler* scheduler = &services.scheduler;
    services.background.run([weak, scheduler, scanned, scan] {
        notes::FolderSnapshot snapshot = notes::FolderSnapshot::scan(scanned);
        scheduler->post([weak, scanned, scan, snapshot = std::move(snapshot)]() mutable {
            if (auto model = weak.lock())
                model->installScan(scanned, scan, std::move(snapshot));
        });
    });
}

void ReaderModel::installScan(const markdown::URL& scanned, std::uint64_t scan,
                              notes::FolderSnapshot snapshot) {
    if (folder.get() != scanned)
        return;
    // Scans overlap and may finish out of order: an older one would bring back a stale tree.
    // The newest one is still running and will install.
    if (scan != latestScan)
        return;
    tree.set(std::move(snapshot.tree));
    markdownFiles.set(std::move(snapshot.markdownFiles));
    index.set(std::move(snapshot.index));
    isScanning.set(false);
    if (snapshot.reachedFileLimit && !std::exchange(toldFileLimit, true))
        tell(fileLimitNotice);
    for (auto& completion : std::exchange(scanCompletions, {}))
        completion();
}

void ReaderModel::handleFolderChanges(std::span<const notes::FolderChange> changes) {
    if (std::any_of(changes.begin(), changes.end(), [](const auto& change) {
            return (change.flags & notes::FolderChange::watchLimitReached) != 0;
        }))
        tell(watchLimitNotice);
    if (file.get()) {
        std::string note = resolvedPath(*file.get());
        auto touched = std::find_if(changes.begin(), changes.end(), [&](const auto& change) {
            return resolvedPath(markdown::URL::fileURL(change.path)) == note;
        });
        if (touched != changes.end())
            openNoteChanged();
    }
    bool structural = std::any_of(changes.begin(), changes.end(), [](const auto& change) {
        return (change.flags & notes::FolderChange::structuralChangeMask) != 0;
    });
    if (!folder.get() || !structural)
        return;
    if (rescanTask)
        services.scheduler.cancel(*rescanTask);
    std::weak_ptr<ReaderModel> weak = weak_from_this();
    rescanTask = services.scheduler.runAfter(rescanDelay, [weak] {
        if (auto model = weak.lock())
            model->rescan();
    });
}

void ReaderModel::tell(std::string_view message) {
    const auto& shown = notice.get();
    if (!shown)
        notice.set(std::string(message));
    else if (shown->find(message) == std::string::npos)
        notice.set(*shown + "\n" + std::string(message));
}

void ReaderModel::tellAboutNote(std::string message) {
    if (noteNotice != message)
        forgetNoteNotice();
    tell(message);
    noteNotice = std::move(message);
}

void ReaderModel::forgetNoteNotice() {
    const auto forgotten = std::exchange(noteNotice, std::nullopt);
    const auto& shown = notice.get();
    // A dismissed notice has nothing left to take out.
    if (!forgotten || !shown)
        return;
    std::string rest = *shown;
    for (std::size_t at = rest.find(*forgotten); at != std::string::npos;
         at = rest.find(*forgotten, at + 1)) {
        const std::size_t end = at + forgotten->size();
        const bool startsLine = at == 0 || rest[at - 1] == '\n';
        const bool endsLine = end == rest.size() || rest[end] == '\n';
        if (!startsLine || !endsLine)
            continue;
        // The line goes with the line break that joins it to the others.
        if (at > 0)
            rest.erase(at - 1, end - at + 1);
        else
            rest.erase(at, end - at + (end < rest.size() ? 1 : 0));
        notice.set(rest.empty() ? std::nullopt : std::optional(std::move(rest)));
        return;
    }
}

void ReaderModel::openNoteChanged() {
    std::shared_ptr<notes::EditSession> session = editSession.get();
    if (!session) {
        refreshPage(false);
        return;
    }
    auto read = notes::readStampedFile(session->url().filesystemPath());
    auto* disk = std::get_if<notes::StampedFile>(&read);
    if (!disk)
        return;
    auto decoded = notes::FileText::decode(disk->bytes);
    if (auto* text = std::get_if<notes::FileText>(&decoded)) {
        session->diskChanged(std::move(text->text), disk->stamp);
        return;
    }
    // Bytes the editor could not save back unchanged: over unsaved edits a conflict, else the
    // note is read as it now is.
    if (session->isDirty()) {
        session->diskChangedToNotUTF8(disk->bytes, disk->stamp);
        return;
    }
    discardEditSession();
    tellAboutNote(make_error_code(notes::FileText::ReadError::notUTF8).message());
}

} // namespace reader
