#include "notes/PreparedNote.hpp"

#include <gtest/gtest.h>

namespace notes {
namespace {

TEST(PreparedNote, KeepsTheNoteLineNumbers) {
    struct Case {
        const char* text;
        std::optional<std::string> frontmatter;
        const char* body;
    };
    const Case cases[] = {
        {"", std::nullopt, ""},
        {"a\rb\r\n", std::nullopt, "a\rb\n"},
        {"\xEF\xBB\xBF\xEF\xBB\xBF# A", std::nullopt, "\xEF\xBB\xBF# A"},
        // Definitions in the front matter are properties, not footnotes.
        {"---\n[^a]: x\n---\nText[^a]", "[^a]: x", "\n\n\nText[^a]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const PreparedNote note = prepareNote(c.text);
        EXPECT_EQ(note.frontmatter, c.frontmatter);
        EXPECT_EQ(note.body, c.body);
        EXPECT_TRUE(note.footnoteDefinitions.empty());
    }
}

TEST(PreparedNote, FrontMatterAndFootnotesLeaveEmptyLinesInTheirPlace) {
    const PreparedNote note = prepareNote("\xEF\xBB\xBF---\r\ntags: [a]\r\n---\r\n"
                                          "# Title\r\n"
                                          "Text[^n]\r\n"
                                          "[^n]: Note\r\n"
                                          "    more\r\n"
                                          "\r\n"
                                          "Last");
    EXPECT_EQ(note.frontmatter, "tags: [a]");
    EXPECT_EQ(note.body, "\n\n\n# Title\nText[^n]\n\n\n\nLast");
    EXPECT_EQ(note.footnoteDefinitions.size(), 1u);
    EXPECT_EQ(note.footnoteDefinitions.find("n"), "Note\nmore");
}

} // namespace
} // namespace notes
