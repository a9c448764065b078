#include "editor/NoteEditor.hpp"

#include "notes/files/FileText.hpp"
#include "notes/runtime/GLibPtr.hpp"

#include <algorithm>
#include <mutex>

namespace editor {
namespace {

void initializeSourceView() {
    static std::once_flag done;
    std::call_once(done, [] { gtk_source_init(); });
}

std::string bufferText(GtkTextBuffer* buffer, const GtkTextIter& start, const GtkTextIter& end) {
    notes::GTextPtr text(gtk_text_buffer_get_text(buffer, &start, &end, TRUE));
    return text.get();
}

} // namespace

// The session's replacement hook, recognisable as this editor's so that only its own is
// removed when the editor ends.
struct NoteEditor::ReplaceText {
    NoteEditor* editor;
    void operator()(const std::string& newText) const { editor->replaceText(newText); }
};

NoteEditor::NoteEditor(std::shared_ptr<notes::EditSession> session, int line)
    : edited(std::move(session)), startLine(std::max(line, 1)),
      pane(notes::retainGObject(gtk_box_new(GTK_ORIENTATION_VERTICAL, 0))) {
    initializeSourceView();
    view = GTK_SOURCE_VIEW(gtk_source_view_new());
    buffer = gtk_text_view_get_buffer(GTK_TEXT_VIEW(view));
    gtk_text_view_set_wrap_mode(GTK_TEXT_VIEW(view), GTK_WRAP_WORD_CHAR);
    for (auto side : {&gtk_text_view_set_left_margin, &gtk_text_view_set_right_margin})
        side(GTK_TEXT_VIEW(view), 12);

    GtkWidget* scroller = gtk_scrolled_window_new();
    gtk_scrolled_window_set_child(GTK_SCROLLED_WINDOW(scroller), GTK_WIDGET(view));
    gtk_widget_set_vexpand(scroller, TRUE);
    banner = std::make_unique<EditorBanner>(edited);
    findBar = std::make_unique<EditorFindBar>(view);
    gtk_box_append(GTK_BOX(pane.get()), banner->widget());
    gtk_box_append(GTK_BOX(pane.get()), findBar->widget());
    gtk_box_append(GTK_BOX(pane.get()), scroller);

    replacing = true;
    gtk_text_buffer_begin_irreversible_action(buffer);
    gtk_text_buffer_set_text(buffer, edited->text->data(), static_cast<int>(edited->text->size()));
    gtk_text_buffer_end_irreversible_action(buffer);
    replacing = false;
    placeCursorOnLine(startLine);

    setDark(false);
    connections.emplace_back(buffer, "changed", G_CALLBACK(onChanged), this);
    connections.emplace_back(buffer, "insert-text", G_CALLBACK(onInsertText), this);
    edited->onReplaceText = ReplaceText{this};
    startLineTick = gtk_widget_add_tick_callback(GTK_WIDGET(view), onTick, this, nullptr);
}

NoteEditor::~NoteEditor() {
    if (startLineTick)
        gtk_widget_remove_tick_callback(GTK_WIDGET(view), startLineTick);
    if (auto* hook = edited->onReplaceText.target<ReplaceText>(); hook && hook->editor == this)
        edited->onReplaceText = nullptr;
}

std::string NoteEditor::text() const {
    GtkTextIter start, end;
    gtk_text_buffer_get_bounds(buffer, &start, &end);
    return bufferText(buffer, start, end);
}

void NoteEditor::placeCursorOnLine(int line) {
    GtkTextIter at;
    gtk_text_buffer_get_iter_at_line(buffer, &at, line - 1);
    gtk_text_buffer_place_cursor(buffer, &at);
}

void NoteEditor::replaceText(const std::string& newText) {
    GtkTextIter cursor;
    gtk_text_buffer_get_iter_at_mark(buffer, &cursor, gtk_text_buffer_get_insert(buffer));
    int line = gtk_text_iter_get_line(&cursor) + 1;
    replacing = true;
    gtk_text_buffer_begin_irreversible_action(buffer);
    gtk_text_buffer_set_text(buffer, newText.data(), static_cast<int>(newText.size()));
    gtk_text_buffer_end_irreversible_action(buffer);
    replacing = false;
    placeCursorOnLine(line);
}

void NoteEditor::onChanged(GtkTextBuffer*, gpointer data) {
    auto* self = static_cast<NoteEditor*>(data);
    if (!self->replacing)
        self->edited->textDidChange(self->text());
}

void NoteEditor::onInsertText(GtkTextBuffer* buffer, GtkTextIter* location, char* text, int length,
                              gpointer data) {
    auto* self = static_cast<NoteEditor*>(data);
    // Texts from the session are the file's own and stay as they are.
    if (self->replacing || self->edited->format().lineEnding != notes::LineEnding::crlf)
        return;
    std::string inserted(text, static_cast<std::size_t>(length));
    std::string converted = notes::convertLineBreaks(inserted, notes::LineEnding::crlf);
    if (converted == inserted)
        return;
    g_signal_stop_emission_by_name(buffer, "insert-text");
    // The inner insertion moves `location` past the text, as the caller expects.
    gtk_text_buffer_insert(buffer, location, converted.data(), static_cast<int>(converted.size()));
}

void NoteEditor::setDark(bool dark) {
    GtkSourceStyleScheme* scheme = gtk_source_style_scheme_manager_get_scheme(
        gtk_source_style_scheme_manager_get_default(), dark ? "Adwaita-dark" : "Adwaita");
    gtk_source_buffer_set_style_scheme(GTK_SOURCE_BUFFER(buffer), scheme);
}

gboolean NoteEditor::onTick(GtkWidget*, GdkFrameClock*, gpointer data) {
    auto* self = static_cast<NoteEditor*>(data);
    // Should the text never settle, the scroll goes as far as it can after a while.
    if (!self->scrollToStartLine(++self->startLineFrames > maxStartLineFrames))
        return G_SOURCE_CONTINUE;
    self->startLineTick = 0;
    return G_SOURCE_REMOVE;
}

bool NoteEditor::scrollToStartLine(bool regardless) {
    GtkAdjustment* scroll = gtk_scrollable_get_vadjustment(GTK_SCROLLABLE(view));
    double upper = gtk_adjustment_get_upper(scroll);
    double page = gtk_adjustment_get_page_size(scroll);
    if (page <= 0 && !regardless)
        return false;
    GtkTextIter at, end;
    gtk_text_buffer_get_iter_at_line(buffer, &at, startLine - 1);
    gtk_text_buffer_get_end_iter(buffer, &end);
    GdkRectangle line, last;
    gtk_text_view_get_iter_location(GTK_TEXT_VIEW(view), &at, &line);
    gtk_text_view_get_iter_location(GTK_TEXT_VIEW(view), &end, &last);
    // The line's middle goes to the offset.
    double target = line.y + line.height / 2.0 - startLineOffset;
    // The view learns the height of its text over its first frames; until the scroll range
    // reaches the line, scrolling would stop short of it.
    if (!regardless && upper - page < target && upper < last.y + last.height)
        return false;
    gtk_adjustment_set_value(scroll, target);
    startScroll = gtk_adjustment_get_value(scroll);
    return true;
}

bool NoteEditor::hasScrolledSinceOpening() const {
    if (startLineTick)
        return false;
    GtkAdjustment* scroll = gtk_scrollable_get_vadjustment(GTK_SCROLLABLE(view));
    return !startScroll || gtk_adjustment_get_value(scroll) != *startScroll;
}

std::optional<std::string> NoteEditor::textBeforePointBelowTop(double distance) const {
    GtkWidget* widget = GTK_WIDGET(view);
    if (!gtk_widget_get_mapped(widget) || gtk_widget_get_height(widget) <= 0)
        return std::nullopt;
    GdkRectangle visible;
    gtk_text_view_get_visible_rect(GTK_TEXT_VIEW(view), &visible);
    GtkTextIter start, at;
    gtk_text_buffer_get_start_iter(buffer, &start);
    gtk_text_view_get_iter_at_location(GTK_TEXT_VIEW(view), &at, visible.x,
                                       visible.y + static_cast<int>(distance));
    return bufferText(buffer, start, at);
}

void NoteEditor::focus() {
    gtk_widget_grab_focus(GTK_WIDGET(view));
}

void NoteEditor::showFind() {
    findBar->show();
}

void NoteEditor::findNext(bool forward) {
    findBar->step(forward);
}

void NoteEditor::closeFind() {
    findBar->close();
}

bool NoteEditor::isFindShown() const {
    return findBar->isShown();
}

} // namespace editor
