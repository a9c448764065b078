#include "app/NoteDetail.hpp"

#include "app/AppearanceStyle.hpp"

#include <glibmm/main.h>

namespace app {

NoteDetail::NoteDetail(reader::ReaderModel& model, NoteView& page)
    : Gtk::Box(Gtk::Orientation::VERTICAL), model(model), page(page), banner(model),
      find(model, [this] { focusPage(); }) {
    stack.set_vexpand(true);
    stack.set_hexpand(true);
    stack.add(page, readingChild);
    append(banner);
    append(find);
    append(stack);

    connections += model.mode.connect(sigc::mem_fun(*this, &NoteDetail::modeChanged));
    connections += model.editSession.connect(sigc::mem_fun(*this, &NoteDetail::modeChanged));
    connections += model.editorStartLine.connect(sigc::mem_fun(*this, &NoteDetail::modeChanged));
    for (auto& connection : onAppearanceChanged([this] {
             if (shownEditor)
                 shownEditor->setDark(isDarkAppearance());
         }))
        connections += connection;
    followMode();
}

NoteDetail::~NoteDetail() {
    connections.disconnect();
    pendingSwitch.disconnect();
    dropEditor();
    // The page belongs to the window; a closed window took its widgets with it.
    if (stack.gobj())
        stack.remove(page);
}

bool NoteDetail::closeFind() {
    if (model.mode.get() == reader::ReaderModel::Mode::edit) {
        if (!shownEditor || !shownEditor->isFindShown())
            return false;
        shownEditor->closeFind();
        return true;
    }
    if (!model.isFindVisible.get())
        return false;
    model.closeFind();
    return true;
}

void NoteDetail::modeChanged() {
    if (pendingSwitch.connected())
        return;
    pendingSwitch = Glib::signal_idle().connect([this] {
        followMode();
        return false;
    });
}

void NoteDetail::followMode() {
    const auto& session = model.editSession.get();
    if (model.mode.get() == reader::ReaderModel::Mode::edit && session) {
        if (!shownEditor || shownEditor->session() != session)
            showEditor(session);
        return;
    }
    if (!shownEditor)
        return;
    stack.set_visible_child(readingChild);
    dropEditor();
    focusPage();
}

void NoteDetail::focusPage() {
    gtk_widget_grab_focus(page.webView().widget());
}

void NoteDetail::showEditor(const std::shared_ptr<notes::EditSession>& session) {
    dropEditor();
    shownEditor = std::make_shared<editor::NoteEditor>(session, model.editorStartLine->value_or(1));
    shownEditor->setDark(isDarkAppearance());
    link = std::make_shared<EditorLink>(shownEditor);
    model.editor.setTextView(link);
    gtk_stack_add_named(stack.gobj(), shownEditor->widget(), editingChild);
    stack.set_visible_child(editingChild);
    shownEditor->focus();
}

// The editor's widget leaves the window before the editor ends.
void NoteDetail::dropEditor() {
    if (!shownEditor)
        return;
    model.editor.setTextView({});
    link.reset();
    if (stack.gobj())
        gtk_stack_remove(stack.gobj(), shownEditor->widget());
    shownEditor.reset();
}

} // namespace app
