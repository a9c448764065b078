#include "app/NoteView.hpp"

#include "notes/files/LenientUTF8.hpp"

#include <gtkmm/image.h>

#include <utility>

namespace app {

NoteView::NoteView(reader::ReaderModel& model, notes::Scheduler& scheduler,
                   const notes::PageAppearance& appearance)
    : model(model), scheduler(scheduler), appearance(appearance),
      view(std::make_unique<reader::ReaderWebView>(model.web, scheduler)),
      errorTitle("Can't Open This Note"), openElsewhere("Open in Default Editor"),
      renderingLabel("Rendering\u2026") {
    view->setOnLink([this](const std::string& url) { this->model.handleLink(url); });
    view->setOnLoaded([this] { pageLoaded(); });
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
    // The window's own hand-off, so that the menu and this button do the same thing.
    openElsewhere.set_action_name("win.open-in-default-editor");
    openElsewhere.set_halign(Gtk::Align::CENTER);
    error.set_valign(Gtk::Align::CENTER);
    error.set_margin(24);
    error.append(*icon);
    error.append(errorTitle);
    error.append(errorMessage);
    error.append(openElsewhere);

    pages.add(empty, emptyPage);
    pages.add(error, errorPage);
    gtk_stack_add_named(pages.gobj(), view->widget(), notePage);
    set_child(pages);

    // Above the page shown meanwhile, which stays readable and clickable.
    rendering.add_css_class("osd");
    rendering.add_css_class("toolbar");
    rendering.set_halign(Gtk::Align::CENTER);
    rendering.set_valign(Gtk::Align::START);
    rendering.set_margin(12);
    rendering.set_can_target(false);
    rendering.append(spinner);
    rendering.append(renderingLabel);
    rendering.set_visible(false);
    add_overlay(rendering);

    connections += model.page.connect(sigc::mem_fun(*this, &NoteView::pageChanged));
    connections += model.errorMessage.connect(sigc::mem_fun(*this, &NoteView::pageChanged));
    connections += model.isTooLarge.connect(sigc::mem_fun(*this, &NoteView::pageChanged));
    connections += model.isRendering.connect(sigc::mem_fun(*this, &NoteView::renderingChanged));
    connections += model.web.headingChanged.connect(
        [this](const std::optional<std::string>& id) { this->model.currentHeadingID.set(id); });
    connections += model.web.scrolled.connect(
        [this](const markdown::URL& file, double y) { this->model.scrollPositions[file] = y; });
    pageChanged();
    renderingChanged();
}

NoteView::~NoteView() {
    connections.disconnect();
    if (renderingNotice)
        scheduler.cancel(*renderingNotice);
    // The web view's widget goes with the stack; the view lets go of its page first.
    view.reset();
}

void NoteView::pageChanged() {
    const bool wasAwaiting = std::exchange(awaitingLoad, false);
    if (const auto& page = model.page.get()) {
        view->update(*page, appearance);
        // Until it loads, the web view shows what it held before: the last note's page, or one
        // this view has replaced since (a note too large, one that could not be read).
        const auto& loaded = view->state();
        const bool holdsPage = loaded.isLoaded() && loaded.loadedRevision() == page->revision;
        if (holdsPage || shownPage() == notePage)
            pages.set_visible_child(notePage);
        awaitingLoad = !holdsPage;
    } else if (const auto& message = model.errorMessage.get()) {
        errorMessage.set_text(notes::replacingInvalidUTF8(*message));
        openElsewhere.set_visible(model.isTooLarge.get());
        pages.set_visible_child(errorPage);
    } else {
        pages.set_visible_child(emptyPage);
    }
    if (awaitingLoad != wasAwaiting)
        renderingChanged();
    if (!awaitingLoad)
        announceShown();
}

void NoteView::announceShown() {
    const auto& page = model.page.get();
    Shown now{shownPage(), page ? std::optional(page->fileURL) : model.file.get(),
              page ? page->revision : 0};
    // The same page again (the model's message changing under it) is no news.
    if (shown == now)
        return;
    shown = std::move(now);
    shownModel.emit();
}

void NoteView::pageLoaded() {
    if (!awaitingLoad)
        return;
    const auto& page = model.page.get();
    if (!page || view->state().loadedRevision() != page->revision)
        return;
    awaitingLoad = false;
    pages.set_visible_child(notePage);
    renderingChanged();
    announceShown();
}

void NoteView::renderingChanged() {
    if (!model.isRendering.get() && !awaitingLoad) {
        if (renderingNotice) {
            scheduler.cancel(*renderingNotice);
            renderingNotice.reset();
        }
        spinner.stop();
        rendering.set_visible(false);
        return;
    }
    // Announced once from the start of the rendering to the end of the load, whatever
    // happens between.
    if (renderingNotice || rendering.get_visible())
        return;
    renderingNotice = scheduler.runAfter(renderingNoticeDelay, [this] {
        renderingNotice.reset();
        spinner.start();
        rendering.set_visible(true);
    });
}

} // namespace app
