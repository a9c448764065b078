#pragma once

#include "editor/EditorBanner.hpp"
#include "editor/EditorFindBar.hpp"
#include "editor/SignalConnection.hpp"
#include "notes/files/EditSession.hpp"
#include "notes/runtime/GObjectPtr.hpp"

#include <gtksourceview/gtksource.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace editor {

/// The plain-text editor of one note: its text bound to the note's `EditSession`, with the
/// session's banner above it and a find bar of its own. Typing reaches the session (typed and
/// pasted line breaks in the file's convention); texts the session replaces (a reload, Load
/// Theirs, the undo of it) replace the editor's. Its colours are light until the window says
/// they are dark. Lives on the main thread; the window puts
/// `widget()` where the page was and takes it out again before ending the editor.
class NoteEditor {
public:
    /// How far below the top of the visible text the start line is placed, which is where the
    /// reader reads the top line back: switching back and forth keeps the place.
    static constexpr double startLineOffset = 60;

    /// An editor of the session's note that, once shown, scrolls to the 1-based start line.
    NoteEditor(std::shared_ptr<notes::EditSession> session, int startLine);
    ~NoteEditor();
    NoteEditor(const NoteEditor&) = delete;
    NoteEditor& operator=(const NoteEditor&) = delete;

    /// The banner, the find bar and the text, one above the other.
    [[nodiscard]] GtkWidget* widget() const noexcept { return pane.get(); }
    [[nodiscard]] const std::shared_ptr<notes::EditSession>& session() const noexcept {
        return edited;
    }

    /// The text from its start up to the character at the left of the visible area,
    /// `distance` units below its top; none until the text is shown.
    [[nodiscard]] std::optional<std::string> textBeforePointBelowTop(double distance) const;
    /// Whether the text has scrolled since the editor put its start line in place.
    [[nodiscard]] bool hasScrolledSinceOpening() const;
    /// Gives the text the keyboard focus.
    void focus();
    /// Shows the find bar and focuses its field.
    void showFind();
    /// Selects the next or previous match, wrapping around; shows the find bar when there is
    /// nothing to find yet.
    void findNext(bool forward);
    /// Hides the find bar (Escape in the window while editing).
    void closeFind();
    [[nodiscard]] bool isFindShown() const;
    /// Colours the text light or dark, as the window is.
    void setDark(bool dark);

private:
    struct ReplaceText;

    [[nodiscard]] std::string text() const;
    void replaceText(const std::string& newText);
    void placeCursorOnLine(int line);
    /// Scrolls the start line into place once the view knows where it lies; whether it did.
    bool scrollToStartLine(bool regardless);

    static void onChanged(GtkTextBuffer*, gpointer editor);
    static void onInsertText(GtkTextBuffer* buffer, GtkTextIter* location, char* text, int length,
                             gpointer editor);
    static gboolean onTick(GtkWidget*, GdkFrameClock*, gpointer editor);

    std::shared_ptr<notes::EditSession> edited;
    int startLine;
    notes::GObjectPtr<GtkWidget> pane;
    GtkSourceView* view;
    GtkTextBuffer* buffer;
    std::unique_ptr<EditorBanner> banner;
    std::unique_ptr<EditorFindBar> findBar;
    /// While the editor itself changes the text, nothing goes back to the session.
    bool replacing = false;
    guint startLineTick = 0;
    int startLineFrames = 0;
    /// Where the start line was scrolled to, once it was.
    std::optional<double> startScroll;
    static constexpr int maxStartLineFrames = 120;
    std::vector<SignalConnection> connections;
};

} // namespace editor
