#include "app/EditingCommands.hpp"

#include <giomm/simpleaction.h>
#include <gtkmm/shortcut.h>
#include <gtkmm/shortcutaction.h>
#include <gtkmm/shortcuttrigger.h>

#include <functional>

namespace app {

EditingCommands::EditingCommands(Gtk::ApplicationWindow& window, reader::ReaderModel& model,
                                 NoteDetail& detail)
    : window(window), keys(Gtk::ShortcutController::create()) {
    // In the capture phase: the page and the text view have keys of their own.
    keys->set_propagation_phase(Gtk::PropagationPhase::CAPTURE);
    const auto command = [&](const char* name, const char* trigger, std::function<void()> run) {
        auto action = Gio::SimpleAction::create(name);
        connections += action->signal_activate().connect(
            [run = std::move(run)](const Glib::VariantBase&) { run(); });
        window.add_action(action);
        keys->add_shortcut(
            Gtk::Shortcut::create(Gtk::ShortcutTrigger::parse_string(trigger),
                                  Gtk::NamedAction::create(std::string("win.") + name)));
    };
    command("toggle-editing", "<Control>e", [&model] { model.toggleEditing(); });
    command("find", "<Control>f", [&model] { model.showFind(); });
    command("find-next", "<Control>g", [&model] { model.findNext(true); });
    command("find-previous", "<Shift><Control>g", [&model] { model.findNext(false); });
    // Escape goes on to the focused widget when there is no find to close.
    keys->add_shortcut(Gtk::Shortcut::create(
        Gtk::KeyvalTrigger::create(GDK_KEY_Escape, Gdk::ModifierType(0)),
        Gtk::CallbackAction::create(
            [&detail](Gtk::Widget&, const Glib::VariantBase&) { return detail.closeFind(); })));
    window.add_controller(keys);
}

EditingCommands::~EditingCommands() {
    connections.disconnect();
    // A window that was closed is gone already, with its keys and actions.
    if (!window.gobj())
        return;
    window.remove_controller(keys);
    for (const char* name : {"toggle-editing", "find", "find-next", "find-previous"})
        window.remove_action(name);
}

} // namespace app
