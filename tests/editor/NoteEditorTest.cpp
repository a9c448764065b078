#include "EditorFixture.hpp"

#include "reader/model/EditorBridge.hpp"
#include "reader/model/EditorTextViewOf.hpp"

namespace editor {
namespace {

using notes::ScratchFolder;
using reader::waitUntil;

using NoteEditorTest = EditorFixture;

TEST_F(NoteEditorTest, TypingReachesTheSessionInTheFilesLineEndingsAndIsSaved) {
    for (const auto& [file, afterTyping] : {std::pair{"one\ntwo", "new\nline one\ntwo"},
                                            std::pair{"one\r\ntwo", "new\r\nline one\r\ntwo"}}) {
        open(file);
        type("new\nline ");
        EXPECT_EQ(session->text.get(), afterTyping);
        EXPECT_EQ(shownText(), afterTyping);
        EXPECT_EQ(ScratchFolder::read(path()), file);
        scheduler.advance(notes::EditSession::defaultAutosaveDelay);
        EXPECT_EQ(ScratchFolder::read(path()), afterTyping);
    }
}

TEST_F(NoteEditorTest, TextTheSessionReplacesReplacesTheEditorsWithoutAnEditOnTheSameLine) {
    open("one\ntwo\nthree\n", 3);
    session->diskChanged("one\nTWO\nthree\n");
    EXPECT_EQ(shownText(), "one\nTWO\nthree\n");
    EXPECT_EQ(cursorLine(textWidget()), 3);
    EXPECT_FALSE(session->isDirty());
    EXPECT_EQ(scheduler.pendingCount(), 0u);

    // A file with mixed breaks comes in as it is, even into a CR LF note.
    open("a\r\nb\r\n");
    session->diskChanged("a\r\nb\nc\r\n");
    EXPECT_EQ(shownText(), "a\r\nb\nc\r\n");

    // The cursor stays on its line.
    open("one\ntwo\nthree\n", 3);
    session->diskChanged("one\nTWO\nthree\n");
    GtkTextIter cursor;
    gtk_text_buffer_get_iter_at_mark(buffer(), &cursor, gtk_text_buffer_get_insert(buffer()));
    EXPECT_EQ(gtk_text_iter_get_line(&cursor), 2);

    // Once the editor has ended, the session no longer reaches it.
    editor.reset();
    EXPECT_FALSE(session->onReplaceText);
}

TEST_F(NoteEditorTest, TheBannerOffersTheAnswersToAConflictAndAFailedSave) {
    open("one");
    GtkWidget* pane = editor->widget();
    type("mine ");
    session->diskChanged("theirs");
    ASSERT_NE(findButton(pane, "Keep Mine"), nullptr);
    click(pane, "Load Theirs");
    EXPECT_EQ(shownText(), "theirs");
    click(pane, "Undo");
    EXPECT_EQ(shownText(), "mine one");
    EXPECT_EQ(session->conflict.get(), std::nullopt);
    EXPECT_EQ(findButton(pane, "Undo"), nullptr);

    int stops = 0;
    session->onStopEditing = [&] { ++stops; };
    ScratchFolder::write(path(), "Caf\xE9");
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
    EXPECT_EQ(session->lastError.get(), std::nullopt);
    EXPECT_EQ(findButton(pane, "Dismiss"), nullptr);
}

TEST_F(NoteEditorTest, ItsColoursFollowTheLightOrDarkAppearanceAsItChanges) {
    GtkSettings* settings = gtk_settings_get_default();
    gchar* desktopTheme = nullptr;
    g_object_get(settings, "gtk-theme-name", &desktopTheme, nullptr);
    open("text");
    const auto scheme = [&] {
        return std::string(gtk_source_style_scheme_get_id(
            gtk_source_buffer_get_style_scheme(GTK_SOURCE_BUFFER(buffer()))));
    };
    EXPECT_EQ(scheme(), "Adwaita");
    const struct {
        bool prefersDark;
        const char* theme;
        const char* scheme;
    } cases[] = {
        {true, "Adwaita", "Adwaita-dark"},
        {false, "Adwaita", "Adwaita"},
        {false, "Adwaita-dark", "Adwaita-dark"},
        {false, "Adwaita", "Adwaita"},
    };
    for (const auto& [prefersDark, theme, expected] : cases) {
        g_object_set(settings, "gtk-application-prefer-dark-theme", prefersDark, "gtk-theme-name",
                     theme, nullptr);
        EXPECT_EQ(scheme(), expected) << prefersDark << " " << theme;
    }
    g_object_set(settings, "gtk-theme-name", desktopTheme, nullptr);
    g_free(desktopTheme);
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
    EXPECT_TRUE(waitUntil([&] { return bridge.topVisibleLine() == 120; }))
        << "top line " << bridge.topVisibleLine();

    GtkAdjustment* scroll = gtk_scrollable_get_vadjustment(GTK_SCROLLABLE(textWidget()));
    gtk_adjustment_set_value(scroll, gtk_adjustment_get_value(scroll) + 400);
    ASSERT_TRUE(waitUntil([&] { return lineAtProbe(textWidget()) > 125; }));
    EXPECT_EQ(bridge.topVisibleLine(), lineAtProbe(textWidget()));

    editor.reset();
    EXPECT_EQ(bridge.topVisibleLine(), 1);
}

TEST_F(NoteEditorTest, FindsThroughTheReadersFinderActions) {
    using Action = reader::EditorTextView::FinderAction;
    open("alpha beta\nALPHA gamma\nbeta alpha\n");
    show();
    reader::EditorTextViewOf<NoteEditor> link(editor);
    auto selection = [&] {
        GtkTextIter start, end;
        gtk_text_buffer_get_selection_bounds(buffer(), &start, &end);
        return std::pair{gtk_text_iter_get_offset(&start), gtk_text_iter_get_offset(&end)};
    };
    auto countShown = [&] { return labelWith(editor->widget(), " of "); };

    link.performTextFinderAction(Action::nextMatch); // nothing to find yet: shows the bar
    EXPECT_TRUE(editor->isFindShown());
    GtkWidget* field = findOfType(editor->widget(), GTK_TYPE_SEARCH_ENTRY);
    gtk_editable_set_text(GTK_EDITABLE(field), "alpha");
    ASSERT_TRUE(waitUntil([&] { return countShown() == "1 of 3"; })) << countShown();
    EXPECT_EQ(selection(), std::pair(0, 5));

    link.performTextFinderAction(Action::nextMatch);
    EXPECT_EQ(selection(), std::pair(11, 16));
    EXPECT_EQ(countShown(), "2 of 3");
    link.performTextFinderAction(Action::previousMatch);
    link.performTextFinderAction(Action::previousMatch);
    EXPECT_EQ(selection(), std::pair(28, 33)); // wrapped around to the last
    EXPECT_EQ(countShown(), "3 of 3");

    editor->closeFind();
    EXPECT_FALSE(editor->isFindShown());
    link.performTextFinderAction(Action::showReplaceInterface); // no replace: the find bar

    EXPECT_TRUE(editor->isFindShown());
    EXPECT_TRUE(gtk_widget_has_focus(findOfType(field, GTK_TYPE_TEXT)));
    link.focus();
    EXPECT_TRUE(gtk_widget_has_focus(textWidget()));
}

} // namespace
} // namespace editor
