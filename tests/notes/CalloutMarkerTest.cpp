#include "notes/CalloutMarker.hpp"

#include "ExpectCases.hpp"

#include <gtest/gtest.h>

namespace notes {
namespace {

using Fold = CalloutMarker::Fold;

// The plain, folded and open forms are pinned by the rendered callouts in HTMLWriterTest.
TEST(CalloutMarker, ReadsKindFoldAndTitle) {
    const std::pair<const char*, std::optional<CalloutMarker>> cases[] = {
        {"[!my-note]", CalloutMarker{"my-note", Fold::none, "My-note"}},
        {"[!note]Title", CalloutMarker{"note", Fold::none, "Title"}},
        {"[!note] \t Title", CalloutMarker{"note", Fold::none, "Title"}},
        {"[!note] Title  ", CalloutMarker{"note", Fold::none, "Title  "}},
        {"[!Info] Caf\u00E9 \U0001F600", CalloutMarker{"info", Fold::none, "Caf\u00E9 \U0001F600"}},
        {"[!note2]", std::nullopt},
        {"[ !note]", std::nullopt},
        {" [!note]", std::nullopt},
        {"[!]", std::nullopt},
        {"[!caf\u00E9]", std::nullopt},
    };
    expectCases(cases, CalloutMarker::parse);
}

} // namespace
} // namespace notes
