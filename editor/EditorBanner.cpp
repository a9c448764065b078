#include "editor/EditorBanner.hpp"

namespace editor {
namespace {

constexpr const char* actionKey = "lumenleaf-banner-action";

void removeChildren(GtkWidget* box) {
    while (GtkWidget* child = gtk_widget_get_first_child(box))
        gtk_box_remove(GTK_BOX(box), child);
}

} // namespace

EditorBanner::EditorBanner(std::shared_ptr<notes::EditSession> edited)
    : session(std::move(edited)),
      bar(notes::retainGObject(gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 12))),
      message(gtk_label_new(nullptr)), buttons(gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 6)) {
    gtk_widget_add_css_class(bar.get(), "banner");
    for (auto side : {&gtk_widget_set_margin_start, &gtk_widget_set_margin_end,
                      &gtk_widget_set_margin_top, &gtk_widget_set_margin_bottom})
        side(bar.get(), 6);
    gtk_label_set_wrap(GTK_LABEL(message), TRUE);
    gtk_label_set_xalign(GTK_LABEL(message), 0);
    gtk_widget_set_hexpand(message, TRUE);
    gtk_box_append(GTK_BOX(bar.get()), message);
    gtk_box_append(GTK_BOX(bar.get()), buttons);
    session->conflict.connect(sigc::mem_fun(*this, &EditorBanner::update));
    session->lastError.connect(sigc::mem_fun(*this, &EditorBanner::update));
    update();
}

void EditorBanner::update() {
    auto notice = BannerNotice::of(*session);
    gtk_widget_set_visible(bar.get(), notice.has_value());
    if (!notice) {
        showActions({});
        return;
    }
    gtk_label_set_text(GTK_LABEL(message), notice->message.c_str());
    showActions(notice->actions);
}

void EditorBanner::showActions(const std::vector<BannerNotice::Action>& actions) {
    if (actions == shown)
        return;
    clicks.clear();
    removeChildren(buttons);
    shown = actions;
    for (BannerNotice::Action action : actions) {
        GtkWidget* button = gtk_button_new_with_label(title(action));
        g_object_set_data(G_OBJECT(button), actionKey, GINT_TO_POINTER(static_cast<int>(action)));
        clicks.emplace_back(button, "clicked", G_CALLBACK(clicked), this);
        gtk_box_append(GTK_BOX(buttons), button);
    }
}

void EditorBanner::clicked(GtkButton* button, gpointer data) {
    auto* banner = static_cast<EditorBanner*>(data);
    auto action = static_cast<BannerNotice::Action>(
        GPOINTER_TO_INT(g_object_get_data(G_OBJECT(button), actionKey)));
    // The answer may replace the buttons, this one included.
    std::shared_ptr<notes::EditSession> session = banner->session;
    perform(action, *session);
}

} // namespace editor
