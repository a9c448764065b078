#include "Markdown/RawMarkupData.hpp"

#include <gtest/gtest.h>

namespace markdown {
namespace {

using Data = RawMarkupData;

TEST(RawMarkupData, KeepsItsKindAndPayload) {
    Data heading = Data::Heading{3};
    EXPECT_EQ(heading.kind(), RawMarkupKind::heading);
    ASSERT_NE(heading.getIf<RawMarkupKind::heading>(), nullptr);
    EXPECT_EQ(heading.getIf<Data::Heading>()->level, 3);
    EXPECT_EQ(heading.getIf<RawMarkupKind::text>(), nullptr);

    // Large payloads are boxed; reading them is the same.
    Data link = Data::Link{"a.md", "Title"};
    EXPECT_EQ(link.getIf<Data::Link>()->destination, "a.md");
    EXPECT_EQ(link.getIf<Data::Link>()->title, "Title");
    EXPECT_EQ(Data(link), link);
}

TEST(RawMarkupData, EqualityComparesFieldsWithCanonicalText) {
    struct Case {
        Data a;
        Data b;
        bool equal;
    };
    const Case cases[] = {
        {Data::Paragraph{}, Data::Document{}, false},
        {Data::Text{"\xC3\xA9"}, Data::Text{"e\xCC\x81"}, true},
        {Data::Text{"a"}, Data::InlineCode{"a"}, false},
        {Data::CodeBlock{"x", std::nullopt}, Data::CodeBlock{"x", ""}, false},
        {Data::CodeBlock{"x", "\xC3\xA9"}, Data::CodeBlock{"x", "e\xCC\x81"}, true},
        {Data::TableCell{1, 2}, Data::TableCell{2, 1}, false},
        {Data::SymbolLink{std::nullopt}, Data::SymbolLink{""}, false},
        {Data::Table{{}}, Data::Table{{std::nullopt}}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.a == c.b, c.equal) << c.a.description() << " vs " << c.b.description();
    }
}

TEST(RawMarkupData, DescribesItselfByCaseNameAndLabelledFields) {
    struct Case {
        Data data;
        const char* text;
    };
    const Case cases[] = {
        {Data::Text{"say \"hi\""}, "text(\"say \\\"hi\\\"\")"},
        {Data::BlockDirective{"Note", SourceLocation(3, 2), DirectiveArgumentText("a: 1")},
         "blockDirective(name: \"Note\", nameLocation: 3:2, arguments: [\"a: 1\"])"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.data.description(), c.text);
}

} // namespace
} // namespace markdown
