#include "editor/EditorFindBar.hpp"

namespace editor {
namespace {

GtkWidget* iconButton(const char* icon, const char* tooltip) {
    GtkWidget* button = gtk_button_new_from_icon_name(icon);
    gtk_widget_set_tooltip_text(button, tooltip);
    return button;
}

} // namespace

EditorFindBar::EditorFindBar(GtkSourceView* textView)
    : view(textView), buffer(GTK_SOURCE_BUFFER(gtk_text_view_get_buffer(GTK_TEXT_VIEW(textView)))),
      bar(notes::retainGObject(gtk_search_bar_new())), field(gtk_search_entry_new()),
      count(gtk_label_new(nullptr)),
      settings(notes::adoptGObject(gtk_source_search_settings_new())),
      search(notes::adoptGObject(gtk_source_search_context_new(buffer, settings.get()))) {
    gtk_source_search_settings_set_wrap_around(settings.get(), TRUE);
    gtk_source_search_context_set_highlight(search.get(), FALSE);

    GtkWidget* previous = iconButton("go-up-symbolic", "Previous Match");
    GtkWidget* next = iconButton("go-down-symbolic", "Next Match");
    GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 6);
    gtk_box_append(GTK_BOX(row), field);
    gtk_box_append(GTK_BOX(row), previous);
    gtk_box_append(GTK_BOX(row), next);
    gtk_box_append(GTK_BOX(row), count);
    gtk_search_bar_set_child(GTK_SEARCH_BAR(bar.get()), row);
    gtk_search_bar_connect_entry(GTK_SEARCH_BAR(bar.get()), GTK_EDITABLE(field));
    gtk_search_bar_set_show_close_button(GTK_SEARCH_BAR(bar.get()), TRUE);
    // Keys typed while the bar slides in are lost, and the user types right after Ctrl+F. The
    // slide stays, taking no time: without one, the hidden bar would keep its height.
    if (GtkWidget* slide = gtk_widget_get_first_child(bar.get()); GTK_IS_REVEALER(slide))
        gtk_revealer_set_transition_duration(GTK_REVEALER(slide), 0);

    connections.emplace_back(field, "search-changed", G_CALLBACK(onSearchChanged), this);
    connections.emplace_back(field, "activate", G_CALLBACK(onNext), this);
    connections.emplace_back(field, "next-match", G_CALLBACK(onNext), this);
    connections.emplace_back(field, "previous-match", G_CALLBACK(onPrevious), this);
    connections.emplace_back(next, "clicked", G_CALLBACK(onNext), this);
    connections.emplace_back(previous, "clicked", G_CALLBACK(onPrevious), this);
    connections.emplace_back(bar.get(), "notify::search-mode-enabled", G_CALLBACK(onModeChanged),
                             this);
    connections.emplace_back(search.get(), "notify::occurrences-count", G_CALLBACK(onCountChanged),
                             this);
    connections.emplace_back(buffer, "notify::cursor-position", G_CALLBACK(onCountChanged), this);
}

void EditorFindBar::show() {
    gtk_search_bar_set_search_mode(GTK_SEARCH_BAR(bar.get()), TRUE);
    gtk_widget_grab_focus(field);
    gtk_editable_select_region(GTK_EDITABLE(field), 0, -1);
}

void EditorFindBar::close() {
    gtk_search_bar_set_search_mode(GTK_SEARCH_BAR(bar.get()), FALSE);
}

bool EditorFindBar::isShown() const {
    return gtk_search_bar_get_search_mode(GTK_SEARCH_BAR(bar.get()));
}

void EditorFindBar::queryChanged() {
    const char* query = gtk_editable_get_text(GTK_EDITABLE(field));
    gtk_source_search_settings_set_search_text(settings.get(), *query ? query : nullptr);
    if (!*query) {
        updateCount();
        return;
    }
    // From the start of the selection, so that a longer query keeps to the match it extends.
    GtkTextIter from, selectionEnd, start, end;
    gtk_text_buffer_get_selection_bounds(GTK_TEXT_BUFFER(buffer), &from, &selectionEnd);
    if (gtk_source_search_context_forward(search.get(), &from, &start, &end, nullptr))
        selectMatch(start, end);
    updateCount();
}

void EditorFindBar::step(bool forward) {
    if (!gtk_source_search_settings_get_search_text(settings.get())) {
        show();
        return;
    }
    GtkTextIter selectionStart, selectionEnd, start, end;
    gtk_text_buffer_get_selection_bounds(GTK_TEXT_BUFFER(buffer), &selectionStart, &selectionEnd);
    bool found = forward ? gtk_source_search_context_forward(search.get(), &selectionEnd, &start,
                                                             &end, nullptr)
                         : gtk_source_search_context_backward(search.get(), &selectionStart, &start,
                                                              &end, nullptr);
    if (found)
        selectMatch(start, end);
    updateCount();
}

void EditorFindBar::selectMatch(const GtkTextIter& start, const GtkTextIter& end) {
    gtk_text_buffer_select_range(GTK_TEXT_BUFFER(buffer), &start, &end);
    gtk_text_view_scroll_mark_onscreen(GTK_TEXT_VIEW(view),
                                       gtk_text_buffer_get_insert(GTK_TEXT_BUFFER(buffer)));
}

std::string EditorFindBar::countText() const {
    if (!gtk_source_search_settings_get_search_text(settings.get()))
        return {};
    int total = gtk_source_search_context_get_occurrences_count(search.get());
    if (total < 0)
        return {};
    GtkTextIter start, end;
    gtk_text_buffer_get_selection_bounds(GTK_TEXT_BUFFER(buffer), &start, &end);
    int current = gtk_source_search_context_get_occurrence_position(search.get(), &start, &end);
    return std::to_string(current > 0 ? current : 0) + " of " + std::to_string(total);
}

void EditorFindBar::updateCount() {
    gtk_label_set_text(GTK_LABEL(count), countText().c_str());
}

void EditorFindBar::onSearchChanged(GtkSearchEntry*, gpointer bar) {
    static_cast<EditorFindBar*>(bar)->queryChanged();
}

void EditorFindBar::onNext(GtkWidget*, gpointer bar) {
    static_cast<EditorFindBar*>(bar)->step(true);
}

void EditorFindBar::onPrevious(GtkWidget*, gpointer bar) {
    static_cast<EditorFindBar*>(bar)->step(false);
}

void EditorFindBar::onModeChanged(GObject*, GParamSpec*, gpointer data) {
    auto* self = static_cast<EditorFindBar*>(data);
    bool shown = self->isShown();
    gtk_source_search_context_set_highlight(self->search.get(), shown);
    if (!shown)
        gtk_widget_grab_focus(GTK_WIDGET(self->view));
}

void EditorFindBar::onCountChanged(GObject*, GParamSpec*, gpointer bar) {
    static_cast<EditorFindBar*>(bar)->updateCount();
}

} // namespace editor
