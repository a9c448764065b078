#include "EditorFixture.hpp"

#include "reader/model/EditorBridge.hpp"
#include "reader/model/EditorTextViewOf.hpp"

#include <tuple>

namespace editor {
namespace {

using NoteEditorTest = EditorFixture;

TEST_F(NoteEditorTest, TextPassesBothWaysBetweenTheEditorAndTheSessionInTheFilesLineEndings) {
    // The session's text replaces the editor's without counting as an edit, on the same line;
    // a file with mixed breaks comes in as it is, even into a CR LF note.
    open("one\r\ntwo\r\nthree\r\n", 3);
    session->diskChanged("one\r\nTWO\nthree\r\n");
    EXPECT_EQ(std::tuple(shownText(), cursorLine(textWidget()), session->isDirty(),
                         scheduler.pendingCount()),
              std::tuple("one\r\nTWO\nthree\r\n", 3, false, 0u));

    // Once the editor has ended, the session no longer reaches it.
    editor.reset();
    EXPECT_FALSE(session->onReplaceText);

    // Typing reaches the session in the file's own line endings. It leaves an autosave
    // pending, so it comes last.
    for (const auto& [file, typed] : {std::pair{"one\ntwo", "new\nline one\ntwo"},
                                      std::pair{"one\r\ntwo", "new\r\nline one\r\ntwo"}}) {
        open(file);
        type("new\nline ");
        EXPECT_EQ(std::tuple(session->text.get(), shownText()), std::tuple(typed, typed));
    }
}

TEST_F(NoteEditorTest, TheBannerOffersTheAnswersToAConflictAndAFailedSave) {
    open("one");
    GtkWidget* pane = editor->widget();
    type("mine ");
    session->diskChanged("theirs");
    click(pane, "Load Theirs");
    EXPECT_EQ(shownText(), "theirs");
    click(pane, "Undo");
    EXPECT_EQ(std::tuple(shownText(), findButton(pane, "Undo")), std::tuple("mine one", nullptr));

    int stops = 0;
    session->onStopEditing = [&] { ++stops; };
    notes::ScratchFolder::write(path(), "Caf\xE9");
    session->diskChangedToNotUTF8(
        "Caf\xE9", std::get<notes::StampedFile>(notes::readStampedFile(path())).stamp);
    EXPECT_EQ(labelWith(pane, "Another"),
              "Another program changed this file into text that isn\u2019t plain UTF-8.");
    click(pane, "Stop Editing");
    EXPECT_EQ(stops, 1);
    click(pane, "Keep Mine");
    EXPECT_FALSE(session->hasDiskConflict());

    std::filesystem::remove_all(folder.path());
    EXPECT_FALSE(session->save());
    ASSERT_NE(findButton(pane, "Try Again"), nullptr);
    click(pane, "Dismiss");
    EXPECT_EQ(std::tuple(session->lastError.get(), findButton(pane, "Dismiss")),
              std::tuple(std::nullopt, nullptr));
}

TEST_F(NoteEditorTest, ItsColoursAreLightUntilTheWindowSaysDark) {
    // The toolkit's own preference is the window's to read, not the editor's.
    GtkSettings* settings = gtk_settings_get_default();
    g_object_set(settings, "gtk-application-prefer-dark-theme", TRUE, nullptr);
    open("text");
    const auto scheme = [&] {
        return std::string(gtk_source_style_scheme_get_id(
            gtk_source_buffer_get_style_scheme(GTK_SOURCE_BUFFER(buffer()))));
    };
    std::string shown = scheme();
    for (bool dark : {true, false, true}) {
        editor->setDark(dark);
        shown += " " + scheme();
    }
    EXPECT_EQ(shown, "Adwaita Adwaita-dark Adwaita Adwaita-dark");
    gtk_settings_reset_property(settings, "gtk-application-prefer-dark-theme");
}

// The line whose text lies at the probe, found by GTK's own line lookup.
int lineAtProbe(GtkWidget* view) {
    GdkRectangle visible;
    gtk_text_view_get_visible_rect(GTK_TEXT_VIEW(view), &visible);
    GtkTextIter line;
    gtk_text_view_get_line_at_y(
        GTK_TEXT_VIEW(view), &line,
        visible.y + static_cast<int>(reader::EditorBridge::topLineProbeDistance), nullptr);
    return gtk_text_iter_get_line(&line) + 1;
}

TEST_F(NoteEditorTest, OpensAtItsStartLineWhichTheReaderReadsBackAsTheTopLine) {
    std::string note;
    for (int line = 1; line <= 300; ++line)
        note += "line " + std::to_string(line) + "\r\n";
    open(note, 120);
    reader::EditorBridge bridge;
    auto link = std::make_shared<reader::EditorTextViewOf<NoteEditor>>(editor);
    bridge.setTextView(link);
    EXPECT_EQ(bridge.topVisibleLine(), 1); // not shown yet

    show();
    EXPECT_TRUE(reader::waitUntil([&] { return bridge.topVisibleLine() == 120; }))
        << "top line " << bridge.topVisibleLine();
    EXPECT_FALSE(bridge.hasScrolledSinceOpening());

    GtkAdjustment* scroll = gtk_scrollable_get_vadjustment(GTK_SCROLLABLE(textWidget()));
    gtk_adjustment_set_value(scroll, gtk_adjustment_get_value(scroll) + 400);
    ASSERT_TRUE(reader::waitUntil([&] { return lineAtProbe(textWidget()) > 125; }));
    EXPECT_EQ(bridge.topVisibleLine(), lineAtProbe(textWidget()));
    EXPECT_TRUE(bridge.hasScrolledSinceOpening());

    editor.reset();
    EXPECT_EQ(std::pair(bridge.topVisibleLine(), bridge.hasScrolledSinceOpening()),
              std::pair(1, true));
}

TEST_F(NoteEditorTest, FindsThroughTheReadersFinderActions) {
    using Action = reader::EditorTextView::FinderAction;
    open("alpha beta\nALPHA gamma\nbeta alpha\n");
    show();
    reader::EditorTextViewOf<NoteEditor> link(editor);
    // The selected range and the count the bar shows.
    const auto found = [&] {
        GtkTextIter start, end;
        gtk_text_buffer_get_selection_bounds(buffer(), &start, &end);
        return std::tuple(gtk_text_iter_get_offset(&start), gtk_text_iter_get_offset(&end),
                          labelWith(editor->widget(), " of "));
    };

    link.performTextFinderAction(Action::nextMatch); // nothing to find yet: shows the bar
    EXPECT_TRUE(editor->isFindShown());
    GtkWidget* field = findOfType(editor->widget(), GTK_TYPE_SEARCH_ENTRY);
    gtk_editable_set_text(GTK_EDITABLE(field), "alpha");
    // The first match is selected as the text is typed; the last is before it.
    ASSERT_TRUE(reader::waitUntil([&] { return found() == std::tuple(0, 5, "1 of 3"); }));
    for (const auto& [action, start, end, count] :
         {std::tuple{Action::nextMatch, 11, 16, "2 of 3"},
          std::tuple{Action::previousMatch, 0, 5, "1 of 3"},
          std::tuple{Action::previousMatch, 28, 33, "3 of 3"}}) {
        link.performTextFinderAction(action);
        EXPECT_EQ(found(), std::tuple(start, end, count));
    }

    editor->closeFind();
    EXPECT_FALSE(editor->isFindShown());
    link.performTextFinderAction(Action::showReplaceInterface); // no replace: the find bar
    EXPECT_TRUE(editor->isFindShown() && gtk_widget_has_focus(findOfType(field, GTK_TYPE_TEXT)));
    link.focus();
    EXPECT_TRUE(gtk_widget_has_focus(textWidget()));
}

} // namespace
} // namespace editor
