#pragma once

#include "app/AppState.hpp"
#include "app/CloseConfirmation.hpp"
#include "app/Connections.hpp"
#include "app/EditingCommands.hpp"
#include "app/FileSidebar.hpp"
#include "app/HandoffMenu.hpp"
#include "app/NoteDetail.hpp"
#include "app/NoteView.hpp"
#include "app/OutlineView.hpp"
#include "reader/model/ReaderModel.hpp"
#include "reader/model/WindowTarget.hpp"

#include <giomm/simpleaction.h>
#include <gtkmm/applicationwindow.h>
#include <gtkmm/button.h>
#include <gtkmm/headerbar.h>
#include <gtkmm/paned.h>
#include <gtkmm/separator.h>
#include <gtkmm/togglebutton.h>

#include <memory>

namespace app {

/// One reader window with its own model: the folder's files in a sidebar, the note's page, and
/// the outline of its headings. The title and the outline change with the page on screen, not
/// before the new note's page has loaded. Back and forward ("win.back", "win.forward", Alt+Left and
/// Alt+Right) step through the window's history; "win.toggle-outline" shows or hides the
/// outline and remembers the choice in the settings. Ctrl+E switches between reading and
/// editing the note; the window does not close on edits it could not save without asking.
class ReaderWindow : public Gtk::ApplicationWindow {
public:
    static constexpr int defaultWidth = 1120;
    static constexpr int defaultHeight = 780;

    /// Shows the target: its folder (and the note in it), or its single note; an empty window
    /// when the target names nothing that exists.
    ReaderWindow(AppState& state, const reader::WindowTarget& target);
    ~ReaderWindow() override;

    [[nodiscard]] reader::ReaderModel& model() { return *readerModel; }
    [[nodiscard]] FileSidebar& sidebar() { return files; }
    [[nodiscard]] NoteView& noteView() { return notes; }
    [[nodiscard]] NoteDetail& noteDetail() { return detail; }
    [[nodiscard]] CloseConfirmation& closeConfirmation() { return closing; }
    [[nodiscard]] OutlineView& outline() { return headings; }
    [[nodiscard]] bool canGoBack() const { return back->get_enabled(); }
    [[nodiscard]] bool canGoForward() const { return forward->get_enabled(); }

private:
    void addActions();
    void followTitle();
    void followHistory();
    void followFolder();
    void showOutline(bool shown);

    AppState& state;
    std::shared_ptr<reader::ReaderModel> readerModel;
    Glib::RefPtr<Gio::SimpleAction> back;
    Glib::RefPtr<Gio::SimpleAction> forward;
    Glib::RefPtr<Gio::SimpleAction> toggleOutline;
    Gtk::HeaderBar header;
    Gtk::Button backButton;
    Gtk::Button forwardButton;
    Gtk::ToggleButton outlineButton;
    HandoffMenu handoff{*this, *readerModel};
    Gtk::Paned split;
    Gtk::Box content;
    FileSidebar files;
    NoteView notes;
    Gtk::Separator outlineEdge{Gtk::Orientation::VERTICAL};
    OutlineView headings;
    NoteDetail detail;
    EditingCommands commands;
    CloseConfirmation closing;
    Connections connections;
};

} // namespace app
