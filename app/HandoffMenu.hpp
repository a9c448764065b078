#pragma once

#include "app/Connections.hpp"
#include "reader/model/ReaderModel.hpp"

#include <giomm/simpleaction.h>
#include <gtkmm/applicationwindow.h>
#include <gtkmm/menubutton.h>

namespace app {

/// The window's menu of commands that hand the open note to the rest of the desktop:
/// "win.reveal" shows it (else the open folder) in the file manager, "win.open-in-obsidian"
/// opens it in Obsidian, offered only when Obsidian is installed, and
/// "win.open-in-default-editor" opens it with the system's editor for it. Each is enabled
/// while there is something to hand over.
class HandoffMenu : public Gtk::MenuButton {
public:
    /// Adds the actions to the window.
    HandoffMenu(Gtk::ApplicationWindow& window, reader::ReaderModel& model);
    ~HandoffMenu() override;

private:
    void followModel();

    reader::ReaderModel& model;
    Glib::RefPtr<Gio::SimpleAction> reveal;
    Glib::RefPtr<Gio::SimpleAction> openInObsidian;
    Glib::RefPtr<Gio::SimpleAction> openInDefaultEditor;
    Connections connections;
};

} // namespace app
