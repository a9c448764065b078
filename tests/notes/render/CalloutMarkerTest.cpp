#include "notes/render/CalloutMarker.hpp"

#include "tests/notes/ExpectCases.hpp"

#include <gtest/gtest.h>

namespace notes {
namespace {

using Fold = CalloutMarker::Fold;

TEST(CalloutMarker, ReadsKindFoldAndWhereTheTitleBegins) {
    const std::pair<const char*, std::optional<CalloutMarker>> cases[] = {
        {"[!NoTe]", CalloutMarker{"note", Fold::none, 7}},
        {"[!warning]- Careful", CalloutMarker{"warning", Fold::collapsed, 12}},
        {"[!tip]+\t  Live", CalloutMarker{"tip", Fold::expanded, 10}},
        {"[!a-b]x", CalloutMarker{"a-b", Fold::none, 6}},
        // Only the character right after "]" folds; blanks end the marker.
        {"[!x]\t-t", CalloutMarker{"x", Fold::none, 5}},
        {"[!x] \xC3\xA9 \xFF", CalloutMarker{"x", Fold::none, 5}},
        {"[!my note]", std::nullopt},
        {"[!note2]", std::nullopt},
        {"[!]", std::nullopt},
        {"[!note", std::nullopt},
        {" [!note]", std::nullopt},
        // A title runs to the end of its line: a line end inside it is no callout, one at the
        // very end is.
        {"[!x] a\nb", std::nullopt},
        {"[!x] a\xE2\x80\xA8z", std::nullopt},
        {"[!x] a\n", CalloutMarker{"x", Fold::none, 5}},
    };
    expectCases(cases, CalloutMarker::parse);
}

} // namespace
} // namespace notes
