// Switching between reading and editing, and closing with edits.
#include "reader/model/ReaderModel.hpp"

#include "reader/model/EditingLog.hpp"

namespace reader {

void ReaderModel::toggleEditing() {
    if (mode.get() == Mode::edit)
        leaveEditing();
    else
        beginEditing();
}

void ReaderModel::beginEditing() {
    // While the note's first page is still being rendered, the page shown (if any) is another
    // note's, and its top line means nothing here.
    if (mode.get() != Mode::read || !file.get() || !page.get() ||
        page.get()->fileURL != *file.get())
        return;
    markdown::URL asked = *file.get();
    std::weak_ptr<ReaderModel> weak = weak_from_this();
    web.topLine([weak, asked](int line) {
        auto model = weak.lock();
        // The line belongs to the page that was asked; another note, or a second answer after
        // the first already started a session, must not start one.
        if (!model || model->file.get() != asked || model->mode.get() != Mode::read)
            return;
        model->enterEditing(line);
    });
}

void ReaderModel::enterEditing(int line) {
    logEnterEditing(line);
    if (isFindVisible.get())
        closeFind();
    beginEditSession(line);
}

void ReaderModel::beginEditSession(int line) {
    if (!file.get())
        return;
    auto opened = notes::EditSession::open(*file.get(), services.scheduler);
    if (auto* error = std::get_if<std::error_code>(&opened)) {
        editSession.set(nullptr);
        if (mode.get() == Mode::edit)
            mode.set(Mode::read);
        tellAboutNote(error->message());
        return;
    }
    auto session = std::get<std::shared_ptr<notes::EditSession>>(std::move(opened));
    session->onStopEditing = [weak = weak_from_this(), asked = session.get()] {
        auto model = weak.lock();
        if (model && model->editSession.get().get() == asked)
            model->discardEditSession();
    };
    // Why the note could not be edited before no longer holds.
    forgetNoteNotice();
    editSession.set(std::move(session));
    editorStartLine.set(line);
    mode.set(Mode::edit);
}

void ReaderModel::leaveEditing() {
    if (mode.get() != Mode::edit)
        return;
    std::shared_ptr<notes::EditSession> session = editSession.get();
    if (!session) {
        mode.set(Mode::read);
        return;
    }
    if (session->hasDiskConflict()) {
        services.desktop.beep();
        return;
    }
    int line = editor.topVisibleLine();
    logLeaveEditing(line);
    if (!saveEditSession())
        return;
    // Where the editor could not scroll its start line down to the height at which the top
    // line is read (near the start of the text, or in a text shorter than the view), it reads
    // a later line. Unscrolled, it shows what the page showed, so the page goes back there.
    if (!editor.hasScrolledSinceOpening() && editorStartLine.get())
        line = *editorStartLine.get();
    mode.set(Mode::read);
    editSession.set(nullptr);
    if (!file.get()) {
        web.scrollToLine(line);
        return;
    }
    const std::string& edited = session->text.get();
    // A rendering still running would land its page at the offset stored, not at this line.
    if (lastSource && notes::CanonicallyEqual{}(*lastSource, edited) && !isRendering.get()) {
        web.scrollToLine(line);
        return;
    }
    lastSource = edited;
    render(*lastSource, *file.get(), std::nullopt, line);
}

std::optional<ReaderModel::UnsavedEdits> ReaderModel::prepareToClose() {
    const std::shared_ptr<notes::EditSession>& session = editSession.get();
    if (!session)
        return std::nullopt;
    if (session->hasDiskConflict())
        return UnsavedEdits{session->url(), UnsavedEdits::Reason::changedOnDisk, std::nullopt};
    if (session->save())
        return std::nullopt;
    return UnsavedEdits{session->url(), UnsavedEdits::Reason::saveFailed, session->lastError.get()};
}

bool ReaderModel::resolveClose(CloseChoice choice) {
    std::shared_ptr<notes::EditSession> session = editSession.get();
    if (!session)
        return choice != CloseChoice::cancel;
    switch (choice) {
    case CloseChoice::cancel:
        return false;
    case CloseChoice::keepMine:
        // Acknowledging their text lets the save write over it now rather than after a delay.
        session->keepMine();
        return session->save();
    case CloseChoice::discard:
        // Should the window stay after all (another window cancelled a quit), it shows the
        // note as the disk has it.
        discardEditSession();
        return true;
    }
    return false;
}

void ReaderModel::discardEditSession() {
    editSession.set(nullptr);
    mode.set(Mode::read);
    refreshPage(false);
}

} // namespace reader
