#pragma once

#include "app/Connections.hpp"
#include "app/NoteDetail.hpp"
#include "reader/model/ReaderModel.hpp"

#include <gtkmm/applicationwindow.h>
#include <gtkmm/shortcutcontroller.h>

namespace app {

/// A window's commands for editing and finding: "win.toggle-editing" (Ctrl+E),
/// "win.find" (Ctrl+F), "win.find-next" (Ctrl+G) and "win.find-previous" (Shift+Ctrl+G), and
/// Escape closing the find shown. The keys reach them before the page or the editor's text can
/// take them for themselves. Made after the window's detail, ended before it.
class EditingCommands {
public:
    EditingCommands(Gtk::ApplicationWindow& window, reader::ReaderModel& model, NoteDetail& detail);
    ~EditingCommands();
    EditingCommands(const EditingCommands&) = delete;
    EditingCommands& operator=(const EditingCommands&) = delete;

private:
    Gtk::ApplicationWindow& window;
    Glib::RefPtr<Gtk::ShortcutController> keys;
    Connections connections;
};

} // namespace app
