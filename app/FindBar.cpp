#include "app/FindBar.hpp"

namespace app {

FindBar::FindBar(reader::ReaderModel& model, std::function<void()> returnFocus)
    : model(model), returnFocus(std::move(returnFocus)) {
    previous.set_icon_name("go-up-symbolic");
    previous.set_tooltip_text("Previous Match");
    next.set_icon_name("go-down-symbolic");
    next.set_tooltip_text("Next Match");
    count.add_css_class("dim-label");
    query.set_width_chars(28);
    row.append(query);
    row.append(previous);
    row.append(next);
    row.append(count);
    set_child(row);
    connect_entry(query);
    set_show_close_button(true);
    // Keys typed while the bar slides in are lost, and the user types right after Ctrl+F. The
    // slide stays, taking no time: without one, the hidden bar would keep its height.
    if (GtkWidget* slide = gtk_widget_get_first_child(GTK_WIDGET(gobj())); GTK_IS_REVEALER(slide))
        gtk_revealer_set_transition_duration(GTK_REVEALER(slide), 0);

    // Every change, not the entry's delayed "search-changed": the page is searched as the
    // user types.
    // The bar empties its field when it hides; the query stays for the next time.
    connections += query.signal_changed().connect([this] {
        if (!following && get_search_mode())
            this->model.findQuery.set(query.get_text());
    });
    connections += query.signal_activate().connect([this] { step(true); });
    connections += previous.signal_clicked().connect([this] { step(false); });
    connections += next.signal_clicked().connect([this] { step(true); });
    connections += property_search_mode_enabled().signal_changed().connect(
        sigc::mem_fun(*this, &FindBar::modeChanged));

    connections += model.isFindVisible.connect(sigc::mem_fun(*this, &FindBar::followVisibility));
    connections += model.findQuery.connect(sigc::mem_fun(*this, &FindBar::followQuery));
    connections += model.findStatus.connect(sigc::mem_fun(*this, &FindBar::followStatus));
    model.web.setFocusFindField([this] {
        query.grab_focus();
        query.select_region(0, -1);
    });

    followVisibility();
    followStatus();
}

FindBar::~FindBar() {
    connections.disconnect();
    // The model may outlive the window for a moment.
    model.web.setFocusFindField({});
}

void FindBar::step(bool forward) {
    model.findNext(forward);
}

void FindBar::followVisibility() {
    const bool shown = model.isFindVisible.get();
    if (get_search_mode() != shown) {
        const bool hadFocus = get_focus_child() != nullptr;
        following = true;
        set_search_mode(shown);
        following = false;
        if (!shown && hadFocus && returnFocus)
            returnFocus();
    }
    if (!shown)
        return;
    // The kept query, not yet searched: the page is searched when it changes or the user steps.
    showQuery();
    followStatus();
}

void FindBar::followQuery() {
    showQuery();
    model.find();
    followStatus();
}

void FindBar::showQuery() {
    const std::string& text = model.findQuery.get();
    if (query.get_text().raw() == text)
        return;
    following = true;
    query.set_text(text);
    following = false;
}

void FindBar::followStatus() {
    const reader::FindStatus& status = model.findStatus.get();
    if (model.findQuery->empty() || !model.isPageSearched())
        count.set_text("");
    else
        count.set_text(std::to_string(status.current) + " of " + std::to_string(status.count));
}

// The bar's own close button, or Escape in its field.
void FindBar::modeChanged() {
    if (!following && !get_search_mode() && model.isFindVisible.get())
        model.closeFind();
}

} // namespace app
