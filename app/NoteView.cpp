#include "app/NoteView.hpp"

#include "notes/LenientUTF8.hpp"

#include <gtkmm/image.h>

namespace app {

NoteView::NoteView(reader::ReaderModel& model, notes::Scheduler& scheduler,
                   const notes::PageAppearance& appearance)
    : model(model), appearance(appearance),
      view(std::make_unique<reader::ReaderWebView>(model.web, scheduler)),
      errorTitle("Can't Open This Note") {
    view->setOnLink([this](const std::string& url) { this->model.handleLink(url); });
    gtk_widget_set_hexpand(view->widget(), TRUE);
    gtk_widget_set_vexpand(view->widget(), TRUE);

    auto* icon = Gtk::make_managed<Gtk::Image>();
    icon->set_from_icon_name("dialog-warning-symbolic");
    icon->set_pixel_size(48);
    icon->add_css_class("dim-label");
    errorTitle.add_css_class("title-2");
    errorMessage.set_wrap(true);
    errorMessage.set_justify(Gtk::Justification::CENTER);
    errorMessage.set_max_width_chars(60);
    errorMessage.set_selectable(true);
    error.set_valign(Gtk::Align::CENTER);
    error.set_margin(24);
    error.append(*icon);
    error.append(errorTitle);
    error.append(errorMessage);

    add(empty, emptyPage);
    add(error, errorPage);
    gtk_stack_add_named(gobj(), view->widget(), notePage);

    connections += model.page.connect(sigc::mem_fun(*this, &NoteView::pageChanged));
    connections += model.errorMessage.connect(sigc::mem_fun(*this, &NoteView::pageChanged));
    connections += model.web.headingChanged.connect(
        [this](const std::optional<std::string>& id) { this->model.currentHeadingID.set(id); });
    connections += model.web.scrolled.connect(
        [this](const markdown::URL& file, double y) { this->model.scrollPositions[file] = y; });
    pageChanged();
}

NoteView::~NoteView() {
    connections.disconnect();
    // The web view's widget goes with the stack; the view lets go of its page first.
    view.reset();
}

void NoteView::pageChanged() {
    if (const auto& page = model.page.get()) {
        view->update(*page, appearance);
        set_visible_child(notePage);
    } else if (const auto& message = model.errorMessage.get()) {
        errorMessage.set_text(notes::replacingInvalidUTF8(*message));
        set_visible_child(errorPage);
    } else {
        set_visible_child(emptyPage);
    }
}

} // namespace app
