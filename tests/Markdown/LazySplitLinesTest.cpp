#include "Markdown/LazySplitLines.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace markdown {
namespace {

std::vector<std::string> linesOf(std::string_view text) {
    LazySplitLines::Iterator lines = LazySplitLines{text, std::nullopt}.makeIterator();
    std::vector<std::string> texts;
    while (std::optional<TrimmedLine> line = lines.next()) {
        EXPECT_EQ(line->lineNumber(), static_cast<std::int64_t>(texts.size()) + 1);
        texts.emplace_back(line->untrimmedText());
    }
    return texts;
}

TEST(LazySplitLines, BreaksAtEveryNewlineCharacterWithCRLFAsOne) {
    using Lines = std::vector<std::string>;
    struct Case {
        std::string text;
        Lines lines;
    };
    const Case cases[] = {
        {"", {""}},
        {"a\nb", {"a", "b"}},
        {"a\nb\n", {"a", "b", ""}},
        {"a\r\nb", {"a", "b"}},
        {"a\rb", {"a", "b"}},
        {"a\n\rb", {"a", "", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"a\vb\fc", {"a", "b", "c"}},
        {"a\xC2\x85"
         "b",
         {"a", "b"}}, // NEL
        {"a\xE2\x80\xA8"
         "b",
         {"a", "b"}}, // LS
        {"a\xE2\x80\xA9"
         "b",
         {"a", "b"}}, // PS
        {"a\xE2\x80\xA7"
         "b",
         {"a\xE2\x80\xA7"
          "b"}}, // a hyphenation point is no break
        {"a\xC2\xA0"
         "b",
         {"a\xC2\xA0"
          "b"}}, // nor is a no-break space
        {"\n\n", {"", "", ""}},
        {"  x\t\n", {"  x\t", ""}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(linesOf(c.text), c.lines) << c.text;
}

TEST(LazySplitLines, LinesAreViewsOfTheInputNumberedFromOne) {
    const std::string text = "one\r\n  two\nthree";
    const URL file = URL::fileURL(std::string("/notes/a.md"));
    LazySplitLines::Iterator lines = LazySplitLines{text, file}.makeIterator();
    std::optional<TrimmedLine> first = lines.next();
    std::optional<TrimmedLine> second = lines.next();
    ASSERT_TRUE(first && second);
    EXPECT_EQ(second->untrimmedText(), "  two");
    EXPECT_EQ(second->untrimmedText().data(), text.data() + 5);
    EXPECT_EQ(second->parseIndex(), 0u);
    EXPECT_EQ(second->lineNumber(), 2);
    EXPECT_EQ(second->source(), file);
    EXPECT_EQ(second->location(), SourceLocation(2, 1, file));
    EXPECT_TRUE(lines.next());
    EXPECT_FALSE(lines.next());
    EXPECT_FALSE(lines.next());

    std::optional<TrimmedLine> unsourced = LazySplitLines{text, std::nullopt}.makeIterator().next();
    EXPECT_EQ(unsourced->source(), std::nullopt);
}

TEST(LazySplitLines, CountsConsecutiveEmptyLines) {
    LazySplitLines::Iterator lines = LazySplitLines{"a\n\n\nb\n  \n", std::nullopt}.makeIterator();
    std::vector<std::int64_t> counts;
    while (lines.next())
        counts.push_back(lines.precedingConsecutiveEmptyLineCount);
    // A line of spaces is not empty; the text ends with an empty line.
    EXPECT_EQ(counts, (std::vector<std::int64_t>{0, 1, 2, 0, 0, 1}));
}

TEST(LazySplitLines, EachIteratorSplitsAfresh) {
    LazySplitLines text{"a\nb", std::nullopt};
    LazySplitLines::Iterator first = text.makeIterator();
    first.next();
    first.next();
    LazySplitLines::Iterator second = text.makeIterator();
    EXPECT_EQ(second.index, 0u);
    EXPECT_EQ(second.next()->untrimmedText(), "a");
    EXPECT_FALSE(first.next());
}

} // namespace
} // namespace markdown
