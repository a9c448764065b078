#pragma once

#include "editor/NoteEditor.hpp"
#include "notes/runtime/GLibPtr.hpp"
#include "notes/runtime/ManualScheduler.hpp"
#include "tests/notes/ScratchFolder.hpp"
#include "tests/support/DisplayTesting.hpp"

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace editor {

/// The first widget below `root`, in tree order, for which the test holds.
inline GtkWidget* findWidget(GtkWidget* root, const std::function<bool(GtkWidget*)>& test) {
    if (test(root))
        return root;
    for (GtkWidget* child = gtk_widget_get_first_child(root); child;
         child = gtk_widget_get_next_sibling(child)) {
        if (GtkWidget* found = findWidget(child, test))
            return found;
    }
    return nullptr;
}

inline GtkWidget* findOfType(GtkWidget* root, GType type) {
    return findWidget(
        root, [type](GtkWidget* widget) { return G_TYPE_CHECK_INSTANCE_TYPE(widget, type); });
}

/// The text of the first label below `root` whose text holds `part`, or "".
inline std::string labelWith(GtkWidget* root, std::string_view part) {
    GtkWidget* label = findWidget(root, [part](GtkWidget* widget) {
        return GTK_IS_LABEL(widget) &&
               std::string_view(gtk_label_get_text(GTK_LABEL(widget))).find(part) !=
                   std::string_view::npos;
    });
    return label ? gtk_label_get_text(GTK_LABEL(label)) : "";
}

/// The button titled `title` below `root` that is shown, if any.
inline GtkWidget* findButton(GtkWidget* root, std::string_view title) {
    return findWidget(root, [title](GtkWidget* widget) {
        return GTK_IS_BUTTON(widget) && gtk_widget_is_visible(widget) &&
               gtk_button_get_label(GTK_BUTTON(widget)) &&
               gtk_button_get_label(GTK_BUTTON(widget)) == title;
    });
}

inline void click(GtkWidget* root, std::string_view title) {
    GtkWidget* button = findButton(root, title);
    ASSERT_NE(button, nullptr) << title;
    g_signal_emit_by_name(button, "clicked");
}

/// The line of the text view's cursor, counted from 1.
inline int cursorLine(GtkWidget* view) {
    GtkTextBuffer* buffer = gtk_text_view_get_buffer(GTK_TEXT_VIEW(view));
    GtkTextIter cursor;
    gtk_text_buffer_get_iter_at_mark(buffer, &cursor, gtk_text_buffer_get_insert(buffer));
    return gtk_text_iter_get_line(&cursor) + 1;
}

/// A note on disk, its session on a hand-driven clock, and its editor, shown in a window
/// when asked.
struct EditorFixture : ::testing::Test {
    static void SetUpTestSuite() { reader::startToolkit({}); }
    void TearDown() override {
        if (window)
            gtk_window_destroy(GTK_WINDOW(window));
        editor.reset();
        // Lets GTK finish with the destroyed window before the next test.
        while (g_main_context_iteration(nullptr, FALSE)) {
        }
    }

    void open(std::string_view text, int startLine = 1) {
        notes::ScratchFolder::write(path(), text);
        auto opened = notes::EditSession::open(markdown::URL::fileURL(path()), scheduler);
        session = std::get<std::shared_ptr<notes::EditSession>>(std::move(opened));
        editor = std::make_shared<NoteEditor>(session, startLine);
    }
    void show() {
        window = gtk_window_new();
        gtk_window_set_default_size(GTK_WINDOW(window), 480, 320);
        gtk_window_set_child(GTK_WINDOW(window), editor->widget());
        gtk_window_present(GTK_WINDOW(window));
        ASSERT_TRUE(reader::waitUntil([&] { return gtk_widget_get_mapped(textWidget()); }));
    }
    std::filesystem::path path() const { return folder / "Note.md"; }
    GtkWidget* textWidget() const { return findOfType(editor->widget(), GTK_SOURCE_TYPE_VIEW); }
    GtkTextBuffer* buffer() const { return gtk_text_view_get_buffer(GTK_TEXT_VIEW(textWidget())); }
    std::string shownText() const {
        GtkTextIter start, end;
        gtk_text_buffer_get_bounds(buffer(), &start, &end);
        return notes::GTextPtr(gtk_text_buffer_get_text(buffer(), &start, &end, TRUE)).get();
    }
    // Types at the cursor as the keyboard does.
    void type(const char* text) { g_signal_emit_by_name(textWidget(), "insert-at-cursor", text); }

    notes::ScratchFolder folder;
    notes::ManualScheduler scheduler;
    std::shared_ptr<notes::EditSession> session;
    std::shared_ptr<NoteEditor> editor;
    GtkWidget* window = nullptr;
};

} // namespace editor
