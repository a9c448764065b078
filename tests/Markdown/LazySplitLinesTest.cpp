#include "Markdown/LazySplitLines.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace markdown {
namespace {

TEST(LazySplitLines, BreaksAtEveryNewlineCharacterWithCRLFAsOne) {
    using Lines = std::vector<std::string>;
    struct Case {
        std::string text;
        Lines lines;
    };
    const Case cases[] = {
        {"", {""}},
        {"a\nb\n", {"a", "b", ""}},
        {"a\r\nb", {"a", "b"}},
        {"a\n\rb", {"a", "", "b"}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"a\vb\fc", {"a", "b", "c"}},
        {"a\xE2\x80\xA8z\xE2\x80\xA9", {"a", "z", ""}},         // line and paragraph separators
        {"a\xE2\x80\xA7z\xC2\xA0", {"a\xE2\x80\xA7z\xC2\xA0"}}, // look-alikes break nothing
    };
    for (const auto& c : cases) {
        LazySplitLines::Iterator lines = LazySplitLines{c.text, std::nullopt}.makeIterator();
        Lines texts;
        while (std::optional<TrimmedLine> line = lines.next()) {
            EXPECT_EQ(line->lineNumber(), static_cast<std::int64_t>(texts.size()) + 1);
            texts.emplace_back(line->untrimmedText());
        }
        EXPECT_EQ(texts, c.lines) << c.text;
        EXPECT_FALSE(lines.next());
    }
}

TEST(LazySplitLines, HandsOutViewsOfTheInputAndCountsEmptyLines) {
    const std::string text = "one\r\n\n\n  two\n  \n";
    const URL file = URL::fileURL(std::string("/notes/a.md"));
    LazySplitLines::Iterator lines = LazySplitLines{text, file}.makeIterator();
    std::vector<std::int64_t> counts;
    std::vector<std::optional<TrimmedLine>> handedOut;
    while (std::optional<TrimmedLine> line = lines.next()) {
        handedOut.push_back(line);
        counts.push_back(lines.precedingConsecutiveEmptyLineCount);
    }
    // A line of spaces is not empty.
    EXPECT_EQ(counts, (std::vector<std::int64_t>{0, 1, 2, 0, 0, 1}));
    const TrimmedLine& two = *handedOut[3];
    EXPECT_EQ(two.untrimmedText(), "  two");
    EXPECT_EQ(two.untrimmedText().data(), text.data() + 7);
    EXPECT_EQ(two.location(), SourceLocation(4, 1, file));
    LazySplitLines unsourced{text, std::nullopt};
    EXPECT_EQ(unsourced.makeIterator().next()->source(), std::nullopt);
}

} // namespace
} // namespace markdown
