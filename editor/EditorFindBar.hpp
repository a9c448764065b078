#pragma once

#include "editor/SignalConnection.hpp"
#include "notes/runtime/GObjectPtr.hpp"

#include <gtksourceview/gtksource.h>

#include <string>
#include <vector>

namespace editor {

/// The editor's own find: a bar with the field, previous and next, and "n of m", searching the
/// text view's buffer with GtkSourceView's search context. Matches are highlighted while the
/// bar is shown; Escape in the field closes it.
class EditorFindBar {
public:
    explicit EditorFindBar(GtkSourceView* view);
    EditorFindBar(const EditorFindBar&) = delete;
    EditorFindBar& operator=(const EditorFindBar&) = delete;

    [[nodiscard]] GtkWidget* widget() const noexcept { return bar.get(); }

    /// Shows the bar and focuses its field with the query selected.
    void show();
    /// Hides the bar and gives the focus back to the text.
    void close();
    [[nodiscard]] bool isShown() const;
    /// Selects the next or previous match, wrapping around the text; with nothing to find it
    /// shows the bar instead.
    void step(bool forward);
    /// "n of m": the selected match's number and the number of matches; empty without a query
    /// or while counting.
    [[nodiscard]] std::string countText() const;

private:
    void queryChanged();
    void selectMatch(const GtkTextIter& start, const GtkTextIter& end);
    void updateCount();

    static void onSearchChanged(GtkSearchEntry*, gpointer bar);
    static void onNext(GtkWidget*, gpointer bar);
    static void onPrevious(GtkWidget*, gpointer bar);
    static void onModeChanged(GObject*, GParamSpec*, gpointer bar);
    static void onCountChanged(GObject*, GParamSpec*, gpointer bar);

    GtkSourceView* view;
    GtkSourceBuffer* buffer;
    notes::GObjectPtr<GtkWidget> bar;
    GtkWidget* field;
    GtkWidget* count;
    notes::GObjectPtr<GtkSourceSearchSettings> settings;
    notes::GObjectPtr<GtkSourceSearchContext> search;
    std::vector<SignalConnection> connections;
};

} // namespace editor
