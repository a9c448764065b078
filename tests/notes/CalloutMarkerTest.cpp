#include "notes/CalloutMarker.hpp"

#include <gtest/gtest.h>

namespace notes {
namespace {

using Fold = CalloutMarker::Fold;

TEST(CalloutMarker, ReadsKindFoldAndTitle) {
    struct Case {
        const char* line;
        std::optional<CalloutMarker> marker;
    };
    const Case cases[] = {
        {"[!note]", CalloutMarker{"note", Fold::none, "Note"}},
        {"[!warning]- Careful", CalloutMarker{"warning", Fold::collapsed, "Careful"}},
        {"[!TIP]+", CalloutMarker{"tip", Fold::expanded, "Tip"}},
        {"[!WARNING]", CalloutMarker{"warning", Fold::none, "Warning"}},
        {"[!my-note]", CalloutMarker{"my-note", Fold::none, "My-note"}},
        {"[!note]Title", CalloutMarker{"note", Fold::none, "Title"}},
        {"[!note] \t Title", CalloutMarker{"note", Fold::none, "Title"}},
        {"[!note] Title  ", CalloutMarker{"note", Fold::none, "Title  "}},
        {"[!Info] Caf\u00E9 \U0001F600", CalloutMarker{"info", Fold::none, "Caf\u00E9 \U0001F600"}},
        {"[!my note] x", std::nullopt},
        {"[!note2]", std::nullopt},
        {"[ !note]", std::nullopt},
        {" [!note]", std::nullopt},
        {"[!]", std::nullopt},
        {"[!caf\u00E9]", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(CalloutMarker::parse(c.line), c.marker);
    }
}

TEST(CalloutMarker, OpensAPlainBoxOrAFoldableOne) {
    const CalloutMarker note = *CalloutMarker::parse("[!note]");
    EXPECT_EQ(note.openingHTML(" data-line=\"1\"") + note.closingHTML(),
              "<div class=\"callout\" data-line=\"1\" data-callout=\"note\">"
              "<div class=\"callout-title\">Note</div>\n<div class=\"callout-body\">\n"
              "</div></div>\n");

    const CalloutMarker warning = *CalloutMarker::parse("[!warning]- Careful");
    EXPECT_EQ(warning.openingHTML(" data-line=\"1\""),
              "<details class=\"callout\" data-line=\"1\" data-callout=\"warning\">"
              "<summary class=\"callout-title\">Careful</summary>\n"
              "<div class=\"callout-body\">\n");
    EXPECT_EQ(warning.closingHTML(), "</div></details>\n");

    EXPECT_EQ(CalloutMarker::parse("[!TIP]+")->openingHTML(""),
              "<details class=\"callout\" data-callout=\"tip\" open>"
              "<summary class=\"callout-title\">Tip</summary>\n<div class=\"callout-body\">\n");

    EXPECT_EQ(CalloutMarker::parse("[!note] a<b & \"c\" 'd'")->openingHTML(""),
              "<div class=\"callout\" data-callout=\"note\">"
              "<div class=\"callout-title\">a&lt;b &amp; &quot;c&quot; 'd'</div>\n"
              "<div class=\"callout-body\">\n");
}

} // namespace
} // namespace notes
