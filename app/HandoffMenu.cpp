#include "app/HandoffMenu.hpp"

#include <giomm/menu.h>

namespace app {

HandoffMenu::HandoffMenu(Gtk::ApplicationWindow& window, reader::ReaderModel& model)
    : model(model), reveal(Gio::SimpleAction::create("reveal")),
      openInDefaultEditor(Gio::SimpleAction::create("open-in-default-editor")) {
    auto menu = Gio::Menu::create();
    menu->append("Show in File Manager", "win.reveal");
    if (model.isObsidianInstalled()) {
        openInObsidian = Gio::SimpleAction::create("open-in-obsidian");
        connections += openInObsidian->signal_activate().connect(
            [this](const Glib::VariantBase&) { this->model.openInObsidian(); });
        window.add_action(openInObsidian);
        menu->append("Open in Obsidian", "win.open-in-obsidian");
    }
    menu->append("Open in Default Editor", "win.open-in-default-editor");
    connections += reveal->signal_activate().connect(
        [this](const Glib::VariantBase&) { this->model.revealInFinder(); });
    connections += openInDefaultEditor->signal_activate().connect(
        [this](const Glib::VariantBase&) { this->model.openInDefaultEditor(); });
    window.add_action(reveal);
    window.add_action(openInDefaultEditor);

    set_icon_name("document-send-symbolic");
    set_tooltip_text("Open Elsewhere");
    set_menu_model(menu);

    connections += model.file.connect(sigc::mem_fun(*this, &HandoffMenu::followModel));
    connections += model.folder.connect(sigc::mem_fun(*this, &HandoffMenu::followModel));
    followModel();
}

HandoffMenu::~HandoffMenu() {
    connections.disconnect();
}

void HandoffMenu::followModel() {
    const bool hasNote = model.file->has_value();
    reveal->set_enabled(hasNote || model.folder->has_value());
    openInDefaultEditor->set_enabled(hasNote);
    if (openInObsidian)
        openInObsidian->set_enabled(hasNote);
}

} // namespace app
