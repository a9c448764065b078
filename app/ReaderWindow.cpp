#include "app/ReaderWindow.hpp"

#include "notes/files/LenientUTF8.hpp"

#include <gtkmm/shortcut.h>
#include <gtkmm/shortcutaction.h>
#include <gtkmm/shortcutcontroller.h>
#include <gtkmm/shortcuttrigger.h>

namespace app {

namespace {

constexpr int sidebarWidth = 240;
constexpr int outlineWidth = 220;

} // namespace

ReaderWindow::ReaderWindow(AppState& state, const reader::WindowTarget& target)
    : state(state), readerModel(reader::ReaderModel::create(state.services())),
      back(Gio::SimpleAction::create("back")), forward(Gio::SimpleAction::create("forward")),
      toggleOutline(Gio::SimpleAction::create_bool("toggle-outline", state.display.showOutline)),
      content(Gtk::Orientation::HORIZONTAL), files(*readerModel),
      notes(*readerModel, state.scheduler, state.display.pageAppearance()), headings(*readerModel),
      detail(*readerModel, notes), commands(*this, *readerModel, detail),
      closing(*this, *readerModel) {
    readerModel->renderOptions.set(state.display.renderOptions());
    set_default_size(defaultWidth, defaultHeight);
    addActions();

    backButton.set_icon_name("go-previous-symbolic");
    backButton.set_tooltip_text("Back");
    backButton.set_action_name("win.back");
    forwardButton.set_icon_name("go-next-symbolic");
    forwardButton.set_tooltip_text("Forward");
    forwardButton.set_action_name("win.forward");
    outlineButton.set_icon_name("view-list-symbolic");
    outlineButton.set_tooltip_text("Outline");
    outlineButton.set_action_name("win.toggle-outline");
    header.pack_start(backButton);
    header.pack_start(forwardButton);
    header.pack_end(outlineButton);
    header.pack_end(handoff);
    set_titlebar(header);

    files.set_size_request(sidebarWidth, -1);
    headings.set_size_request(outlineWidth, -1);
    detail.set_hexpand(true);
    content.append(detail);
    content.append(outlineEdge);
    content.append(headings);
    split.set_start_child(files);
    split.set_end_child(content);
    split.set_resize_start_child(false);
    split.set_shrink_start_child(false);
    split.set_position(sidebarWidth);
    set_child(split);

    showOutline(state.display.showOutline);

    // The note's name, like its outline, comes with its page: until then the window is still
    // about the note on screen.
    connections += notes.shownModel.connect([this] {
        headings.showModelOutline();
        followTitle();
    });
    const auto titleWithoutNote = [this] {
        if (!readerModel->file->has_value())
            followTitle();
    };
    connections += readerModel->file.connect(titleWithoutNote);
    connections += readerModel->folder.connect(titleWithoutNote);
    connections += readerModel->folder.connect(sigc::mem_fun(*this, &ReaderWindow::followFolder));
    connections +=
        readerModel->backStack.connect(sigc::mem_fun(*this, &ReaderWindow::followHistory));
    connections +=
        readerModel->forwardStack.connect(sigc::mem_fun(*this, &ReaderWindow::followHistory));
    followTitle();
    followHistory();
    followFolder();

    readerModel->apply(target);
}

ReaderWindow::~ReaderWindow() {
    connections.disconnect();
}

void ReaderWindow::addActions() {
    connections += back->signal_activate().connect(
        [this](const Glib::VariantBase&) { readerModel->goBack(); });
    connections += forward->signal_activate().connect(
        [this](const Glib::VariantBase&) { readerModel->goForward(); });
    connections +=
        toggleOutline->signal_change_state().connect([this](const Glib::VariantBase& value) {
            toggleOutline->set_state(value);
            showOutline(Glib::VariantBase::cast_dynamic<Glib::Variant<bool>>(value).get());
        });
    add_action(back);
    add_action(forward);
    add_action(toggleOutline);

    // In the capture phase, so that the page does not take the keys for itself first.
    auto shortcuts = Gtk::ShortcutController::create();
    shortcuts->set_propagation_phase(Gtk::PropagationPhase::CAPTURE);
    shortcuts->add_shortcut(Gtk::Shortcut::create(Gtk::ShortcutTrigger::parse_string("<Alt>Left"),
                                                  Gtk::NamedAction::create("win.back")));
    shortcuts->add_shortcut(Gtk::Shortcut::create(Gtk::ShortcutTrigger::parse_string("<Alt>Right"),
                                                  Gtk::NamedAction::create("win.forward")));
    add_controller(shortcuts);
}

void ReaderWindow::followTitle() {
    set_title(notes::replacingInvalidUTF8(readerModel->title()));
}

void ReaderWindow::followHistory() {
    back->set_enabled(!readerModel->backStack->empty());
    forward->set_enabled(!readerModel->forwardStack->empty());
}

void ReaderWindow::followFolder() {
    files.set_visible(readerModel->folder->has_value());
}

void ReaderWindow::showOutline(bool shown) {
    headings.set_visible(shown);
    outlineEdge.set_visible(shown);
    if (state.display.showOutline == shown)
        return;
    state.display.showOutline = shown;
    state.settings.setBoolean("showOutline", shown);
}

} // namespace app
