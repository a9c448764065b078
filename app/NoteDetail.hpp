#pragma once

#include "app/Connections.hpp"
#include "app/FindBar.hpp"
#include "app/NoteView.hpp"
#include "app/NoticeBanner.hpp"
#include "editor/NoteEditor.hpp"
#include "reader/model/EditorTextViewOf.hpp"
#include "reader/model/ReaderModel.hpp"

#include <gtkmm/box.h>
#include <gtkmm/stack.h>
#include <sigc++/connection.h>

#include <memory>
#include <string>

namespace app {

/// The middle of a window: the model's notice, the find bar while reading, and the note's page
/// or, while editing, the note's editor in the page's place. The editor follows the model's
/// session: a new session (another note opened while editing) brings a new editor at the
/// model's start line, and the model reaches the shown editor through its bridge. The editor is
/// light or dark as the application is.
class NoteDetail : public Gtk::Box {
public:
    /// `page` is the window's, shown while reading; it must outlive this.
    NoteDetail(reader::ReaderModel& model, NoteView& page);
    ~NoteDetail() override;

    /// The names of the two sides.
    static constexpr const char* readingChild = "reading";
    static constexpr const char* editingChild = "editing";

    [[nodiscard]] std::string shownChild() const { return stack.get_visible_child_name(); }
    /// The editor shown, none while reading.
    [[nodiscard]] editor::NoteEditor* editor() const { return shownEditor.get(); }
    [[nodiscard]] FindBar& findBar() { return find; }
    [[nodiscard]] NoticeBanner& noticeBanner() { return banner; }

    /// Closes the find that is shown, the page's or the editor's; false when none is.
    bool closeFind();

private:
    void modeChanged();
    void followMode();
    void showEditor(const std::shared_ptr<notes::EditSession>& session);
    void dropEditor();
    void focusPage();

    using EditorLink = reader::EditorTextViewOf<editor::NoteEditor>;

    reader::ReaderModel& model;
    NoteView& page;
    NoticeBanner banner;
    FindBar find;
    Gtk::Stack stack;
    std::shared_ptr<editor::NoteEditor> shownEditor;
    std::shared_ptr<EditorLink> link;
    /// The switch waits for the model to finish its change: a session arrives before its start
    /// line.
    sigc::connection pendingSwitch;
    Connections connections;
};

} // namespace app
