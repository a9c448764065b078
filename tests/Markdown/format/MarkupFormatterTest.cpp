#include "Markdown/format/MarkupFormatter.hpp"
#include "Markdown/elements/Elements.hpp"
#include "tests/Markdown/RawOutline.hpp"

#include <gtest/gtest.h>

namespace markdown {
namespace {
using namespace markdown::testing;
using Options = MarkupFormatter::Options;

Document inParagraph(const Markup& inline_) {
    return Document(Paragraph(inline_.as<InlineMarkup>().value()));
}

OrderedList startingAt(std::uint64_t start, const ListItem& item) {
    OrderedList list(item);
    list.setStartIndex(start);
    return list;
}

ListItem item(std::string_view text) {
    return ListItem(std::nullopt, Paragraph(Text(std::string(text))));
}

// Trees none of the parser's own examples spells out, built in code: each prints as Markdown that
// reads back as the same tree.
TEST(MarkupFormatter, BuiltTreesReadBackAsThemselves) {
    const Markup trees[] = {
        // Text that would open a block at a line's start, or something inline anywhere.
        inParagraph(Text("# not a heading")),
        inParagraph(Text("1. not a list")),
        inParagraph(Text("12) nor this")),
        inParagraph(Text("- nor this")),
        inParagraph(Text("+ nor this")),
        inParagraph(Text("> no quote")),
        inParagraph(Text("=")),
        inParagraph(Text("***")),
        inParagraph(Text("@Directive(x) {")),
        inParagraph(Text("}")),
        inParagraph(Text("|-|")),
        inParagraph(Text("    indented")),
        inParagraph(Text("\ttab")),
        inParagraph(Text("a_b _c_ *d* [e](f) `g` <h> <!-- i --> &amp; ~~j~~ \\k\\")),
        inParagraph(Text("\"straight\" 'quotes' -- dashes ... dots")),
        inParagraph(Text("line\nend")),
        Document(Paragraph(Text("a!"), Link("b", Text("c")))),
        Document(Paragraph(Emphasis(Text("a")), Text(""), SoftBreak(), Text("b"))),
        Document(Paragraph(Emphasis(Text("a")), Text(""), LineBreak(), Text("b"))),
        Document(Paragraph(InlineCode("a"), LineBreak(), Text("b"))),
        // Inline HTML opening a line, where most tags would open an HTML block.
        Document(Paragraph(Text("a"), SoftBreak(), InlineHTML("<div>"), SoftBreak(), Text("b"),
                           LineBreak(), InlineHTML("<!-- c -->"), Text(" d"))),
        Document(Paragraph(Text("a"), SoftBreak(), InlineHTML("<source src=\"b\">"))),
        Document(Paragraph(LineBreak(), Text("b\t"), LineBreak(), Text("c"))),
        Document(Paragraph(Text("a<"), Emphasis(Text("b")))),
        // Code spans and blocks that hold their own delimiters.
        inParagraph(InlineCode("`a")),
        inParagraph(InlineCode(" a ")),
        inParagraph(InlineCode("  ")),
        inParagraph(InlineCode("a``b`c")),
        Document(CodeBlock("swift", "a\n```\nb\n")),
        Document(CodeBlock("a`b", "~~~~\n")),
        Document(CodeBlock(std::nullopt, "")),
        // Emphasis inside emphasis.
        inParagraph(Emphasis(Emphasis(Text("a")))),
        inParagraph(Strong(Emphasis(Text("a")))),
        inParagraph(Emphasis(Strong(Text("a")))),
        inParagraph(Strong(Strong(Text("a")))),
        Document(Paragraph(Emphasis(Text("a")), Emphasis(Text("b")))),
        inParagraph(Emphasis(Text("@("), Emphasis(Text("):")), Text("{2 }"))),
        Document(Paragraph(Text("a"), Emphasis(Text("~b")), Text("c"), Strong(Text("d~")))),
        inParagraph(Emphasis(Text("a ~"))),
        inParagraph(Strikethrough(Emphasis(Text("a")))),
        // Links and images.
        inParagraph(Link("a b", Text("space"))),
        inParagraph(Link("a(b", Text("paren"))),
        inParagraph(Link(std::string("d"), std::string("t \"q\""), std::vector{Text("title")})),
        inParagraph(Link("https://example.com/a", Text("https://example.com/a"))),
        inParagraph(Link("docs/intro.md", Text("docs/intro.md"))),
        inParagraph(Image("i.png", "t", Text("alt"))),
        inParagraph(InlineAttributes("class: \"x\"", Text("attributed"))),
        // Containers.
        Document(BlockQuote(Paragraph(Text("a")), CodeBlock(std::nullopt, "b\n\nc\n"))),
        Document(BlockQuote()),
        Document(UnorderedList(item("a")), UnorderedList(item("b")), UnorderedList(item("c"))),
        Document(startingAt(0, item("a")), startingAt(7, item("b"))),
        Document(UnorderedList(ListItem(Checkbox::checked, Paragraph(Text("done"))),
                               ListItem(Checkbox::unchecked, Paragraph(Text("to do"))))),
        Document(UnorderedList(ListItem(std::nullopt, ThematicBreak()), ListItem(std::nullopt))),
        Document(UnorderedList(ListItem(std::nullopt, Paragraph(Text("a")),
                                        UnorderedList(item("b")), Paragraph(Text("c"))))),
        Document(Heading(3, Text("closing #"))),
        Document(Heading(1, Text("two"), SoftBreak(), Text("lines"))),
        Document(HTMLBlock("<div>\n</div>\n"), Paragraph(Text("after"))),
        // Tables: a pipe in a cell, a cell over two columns and one over two rows.
        Document(Table(std::nullopt, Table::Head(Table::Cell(Text("a|b")), Table::Cell(Text("^"))),
                       Table::Body(Table::Row(Table::Cell(2, 1, Text("wide")), Table::Cell(0, 1)),
                                   Table::Row(Table::Cell(1, 2, Text("x")), Table::Cell(Text("y"))),
                                   Table::Row(Table::Cell(1, 0), Table::Cell(Text("z")))))),
    };
    for (const Markup& tree : trees) {
        const std::string printed = format(tree, Options{});
        const Document reparsed = Document::parsing(printed);
        EXPECT_TRUE(reparsed.hasSameStructure(tree))
            << "--- printed\n"
            << printed << "\n--- built\n"
            << outline(tree.raw().markup) << "--- reparsed\n"
            << outline(reparsed.raw().markup);
    }
}

// The layout a person would write: no escape where nothing would open, markers and blank lines
// only where CommonMark needs them.
TEST(MarkupFormatter, PrintsMarkdownAsAPersonWouldWriteIt) {
    const std::pair<const char*, const char*> cases[] = {
        {"snake_case & 3 < 4, 2 * 3\n", "snake_case & 3 < 4, 2 \\* 3"},
        {"- a\n- b\n\n<!-- -->\n\n- c\n", "- a\n- b\n\n<!-- -->\n\n- c"},
        {"- a\n\n\n- b\n", "- a\n\n- b"},
        {"> a\n>\n> b\n", "> a\n>\n> b"},
        {"1. a\n   > b\n   c\n", "1. a\n   > b\n   > c"},
        {"> - a\n>   - b\n", "> - a\n>   - b"},
        {"- - a\n  - b\n- c\n", "- - a\n  - b\n- c"},
        {"[a](<b c> \"t\")\n", "[a](<b c> \"t\")"},
        {"``` js\ncode\n```\n", "```js\ncode\n```"},
        {"Title\n=====\n", "# Title"},
        {"_s_*t*o\n", "_s_*t*o"},
        {"\\**.*. *x~~*x\n", "\\*_._. *x~~*x"},
        {"[a](&amp;mp; \"&amp;c;\")\n", "[a](&amp;mp; \"&amp;c;\")"},
        // References beside runs, and the search's other layouts, only where nothing plainer
        // reads back.
        {"a*b*c ~~d~~ *e*\n", "a*b*c ~~d~~ *e*"},
        {"*<*&#1;\n", "*\\<*&#1;"},
        {"*a&#11;b*\n", "*a&#11;b*"},
        {"_***@*@*_\n", "_***@*@*_"},
        {"a&#9; b&#9;\n", "a\t b&#9;"},
    };
    for (const auto& [markdown, expected] : cases)
        EXPECT_EQ(format(Document::parsing(markdown), Options{}), expected) << markdown;
    // Two lists in a row keep apart through their markers.
    EXPECT_EQ(format(Document(UnorderedList(item("a")), UnorderedList(item("b")),
                              startingAt(2, item("c")), startingAt(3, item("d"))),
                     Options{}),
              "- a\n\n* b\n\n2. c\n\n3) d");
}

// On the directive road the plain layout stays wherever the road reads it back; the others only
// where it would not.
// A note's reader finds wikilinks, embeds, footnotes and highlights in the text as typed: a
// bracket, and a "!" or "^" before one, is escaped only where it would read otherwise; a
// footnote definition keeps its lines indented, and a text does not open with what a reader
// takes for front matter.
TEST(MarkupFormatter, LeavesBareWhatANoteReaderReads) {
    const std::pair<const char*, const char*> cases[] = {
        {"See [[Note]] and ![[img.png]] and a footnote[^1].\n",
         "See [[Note]] and ![[img.png]] and a footnote[^1]."},
        {"[^1]: The note.\n", "[^1]: The note."},
        {"a [b] c ![d] ^[e] [[f|g]] ==h==\n", "a [b] c ![d] ^[e] [[f|g]] ==h=="},
        {"\\[x\\](y) and [[a]]\n", "[x\\](y) and [[a]]"},
        {"\\[foo\\]: /url\n[[a]]\n", "\\[foo\\]: /url\n\\[\\[a\\]\\]"},
        {"- \\[ ] a\n", "- [ \\] a"},
        {"\\![x](y)\n", "\\![x](y)"},
        {"*[[a]]* **[[b]]**\n", "*[[a]]* **[[b]]**"},
        {"[^1]: a b\n    c\n    \\> d\n", "[^1]: a b\n    c\n    > d"},
        {"[^1]: a b\n[^2]: c d\n", "[^1]: a b\n[^2]: c d"},
        {"***\n\na\n", "***\n\na"},
    };
    for (const auto& [markdown, expected] : cases) {
        const Document source = Document::parsing(markdown);
        const std::string printed = format(source, Options{});
        EXPECT_EQ(printed, expected) << markdown;
        EXPECT_TRUE(Document::parsing(printed).hasSameStructure(source)) << markdown;
    }
}

// A hard break in a cell, possible only in a tree built in code, would split the row: the cell
// takes the break tag that GFM tables show.
TEST(MarkupFormatter, PrintsAHardBreakInACellAsABreakTag) {
    const Document table(
        Table(std::nullopt, Table::Head(Table::Cell(Text("a")), Table::Cell(Text("b"))),
              Table::Body(Table::Row(Table::Cell(Text("1"), LineBreak(), Text("2")),
                                     Table::Cell(Emphasis(Text("x")), LineBreak())))));
    const std::string printed = format(table, Options{});
    EXPECT_EQ(printed, "| a | b |\n| --- | --- |\n| 1<br>2 | *x*<br> |");
    const Document reparsed = Document::parsing(printed);
    const auto body = reparsed.childAt(0)->childAt(1);
    ASSERT_TRUE(body.has_value());
    EXPECT_EQ(body->childCount(), 1);
    EXPECT_EQ(body->childAt(0)->childAt(0)->childAt(1)->kind(), RawMarkupKind::inlineHTML);
}

// A list prints tight or loose as its source lines make it (a blank line between two items or
// two blocks of one item makes it loose); a list built without them, tight where blocks may
// follow line by line.
TEST(MarkupFormatter, PrintsListsTightOrLooseAsTheyRead) {
    const std::pair<const char*, const char*> parsed[] = {
        {"- a\n  - b\n- c\n", "- a\n  - b\n- c"},
        {"- a\n  - b\n    - c\n      1. d\n- e\n", "- a\n  - b\n    - c\n      1. d\n- e"},
        {"- a\n\n- b\n", "- a\n\n- b"},
        {"- a\n- b\n\n  c\n", "- a\n\n- b\n\n  c"},
        {"- a\n  - b\n\n  - c\n- d\n", "- a\n  - b\n\n  - c\n- d"},
        {"- a\n  ```\n  x\n  ```\n  b\n", "- a\n  ```\n  x\n  ```\n  b"},
        {"- a\n  # h\n  ***\n  > q\n", "- a\n  # h\n  ***\n  > q"},
        {"1. a\n   ***\n", "1. a\n   ***"},
        {"- a\n  <div>x</div>\n- b\n", "- a\n  <div>x</div>\n- b"},
        {"- a\n  <!-- c -->\n  ***\n- b\n", "- a\n  <!-- c -->\n  ***\n- b"},
        {"- a\n  | x |\n  | - |\n- b\n", "- a\n  | x |\n  | --- |\n- b"},
        {"- a\n  > q\n  3. x\n- b\n", "- a\n  > q\n  3. x\n- b"},
        {"- a\n  | x |\n  | - |\n  2. y\n- b\n", "- a\n  | x |\n  | --- |\n  2. y\n- b"},
        {"- > | x |\n  > | - |\n  | y |\n  | - |\n- b\n",
         "- > | x |\n  > | --- |\n  | y |\n  | --- |\n- b"},
    };
    for (const auto& [markdown, expected] : parsed) {
        const Document source = Document::parsing(markdown);
        const std::string printed = format(source, Options{});
        EXPECT_EQ(printed, expected) << markdown;
        EXPECT_TRUE(Document::parsing(printed).hasSameStructure(source)) << markdown;
    }
    const std::pair<Markup, const char*> built[] = {
        {Document(
             UnorderedList(ListItem(std::nullopt, Paragraph(Text("a")),
                                    UnorderedList(ListItem(std::nullopt, Paragraph(Text("b"))))),
                           ListItem(std::nullopt, Paragraph(Text("c"))))),
         "- a\n  - b\n- c"},
        {Document(
             UnorderedList(ListItem(std::nullopt, Paragraph(Text("a")), Paragraph(Text("b"))))),
         "- a\n\n  b"},
        {Document(OrderedList(ListItem(std::nullopt,
                                       UnorderedList(ListItem(std::nullopt, Paragraph(Text("a")))),
                                       Paragraph(Text("b"))))),
         "1. - a\n\n   b"},
        {Document(UnorderedList(ListItem(std::nullopt, Paragraph(Text("a")), ThematicBreak(),
                                         Paragraph(Text("b")), Heading(2, Text("c"))))),
         "- a\n  ***\n  b\n  ## c"},
        {Document(UnorderedList(
             ListItem(std::nullopt, Paragraph(Text("a")), CodeBlock(std::nullopt, "x\n")))),
         "- a\n  ```\n  x\n  ```"},
    };
    for (const auto& [tree, expected] : built) {
        const std::string printed = format(tree, Options{});
        EXPECT_EQ(printed, expected);
        EXPECT_TRUE(Document::parsing(printed).hasSameStructure(tree)) << printed;
    }
}

TEST(MarkupFormatter, PrintsForTheDirectiveRoadOnlyWhatItNeeds) {
    const ParseOptions road = {ParseOptions::parseBlockDirectives,
                               ParseOptions::parseMinimalDoxygen};
    const std::pair<const char*, const char*> cases[] = {
        {"@x {\na\n}\n", "@x {\na\n}"},
        {"@note{\n", "@note{}"},
        {"@t{<div }}\n", "@t {\n\n<div }\n}"},
        {"@t {\n\n- <div }\n- <div }\n}\n", "@t {\n\n- <div }\n- <div }\n}"},
        {"@x{\n```\n```t\n```\n~\n", "@x\n{\n````\n```t\n````\n\n\\~"},
        {"@o(`\n ){\n      e\n", "@o(`\n )\n{\n ```\n  e\n ```\n}"},
        {"@I(\"\n){\nx\n", "@I(\"\n) {\nx\n}"},
        {"    ```\n    @N\n", "    ```\n    @N"},
        {"```r`x``\n```r`\n@N\n", "```r`x``\n    ```r\\`\n\n@N"},
        {"&#12;r\n", "&#12;r"},
        {"a*\013b*\n", "a\\*\nb\\*"},
        // A heading's code span given a run of three to flip the toggle leaves the next
        // heading's code span as it is.
        {"```  ```x\n=\n<i>\n@n\n\n# a `b` c\n", "```  ```x\n===\n\n<i>\n@n\n\n# a `b` c"},
    };
    for (const auto& [markdown, expected] : cases)
        EXPECT_EQ(format(Document::parsing(markdown, std::nullopt, road), Options{}), expected)
            << markdown;
}

TEST(MarkupFormatter, WrapsAtSpacesWithTheChosenBreakWhereTheTreeStaysTheSame) {
    const Document document = Document::parsing("aaa 2. bbb 1. ccc - ddd `e f` ggg\n");
    const auto limited = [](Options::LineSplittingElement element, std::int64_t maxLength) {
        return Options{Options::PreferredLineLimit{element, maxLength}};
    };
    // Never before "1. " or "- ", which would open a list inside the paragraph ("2. " cannot),
    // nor inside code.
    EXPECT_EQ(format(document, limited(Options::LineSplittingElement::softBreak, 5)),
              "aaa\n2.\nbbb 1.\nccc -\nddd\n`e f`\nggg");
    EXPECT_EQ(format(document, limited(Options::LineSplittingElement::softBreak, 20)),
              "aaa 2. bbb 1. ccc -\nddd `e f` ggg");
    EXPECT_EQ(format(document, limited(Options::LineSplittingElement::hardBreak, 10)),
              "aaa 2.  \nbbb 1.  \nccc -  \nddd  \n`e f`  \nggg");
    // Inside a list item the marker counts.
    EXPECT_EQ(format(Document::parsing("- aaa bbb ccc\n"),
                     limited(Options::LineSplittingElement::softBreak, 9)),
              "- aaa bbb\n  ccc");
    // A block's last line does not count for the first line of the paragraph after it.
    EXPECT_EQ(format(Document::parsing("aaaaaaa\n\nbb cc dd\n"),
                     limited(Options::LineSplittingElement::softBreak, 6)),
              "aaaaaaa\n\nbb cc\ndd");
    EXPECT_EQ(format(Document::parsing("```\nx\n```\nbb cc dd\n"),
                     limited(Options::LineSplittingElement::softBreak, 5)),
              "```\nx\n```\n\nbb cc\ndd");
}

// Lines are measured in user-perceived characters, which Bengali and Khmer build of several
// scalars (a zero-width space is one of its own); without a limit the text prints as it is.
TEST(MarkupFormatter, WrapsTextOfEveryScriptAtItsCharacters) {
    const std::string bengali = "\u0995\u09BF\u0995\u09BF\u0995\u09BF\u0995\u09BF\u0995\u09BF";
    const std::string khmer = "\u1780\u17B6\u200B\u1781\u17B7";
    const std::string bengaliWords = bengali + " " + bengali + " " + bengali + "\n";
    const std::string khmerWords = khmer + " " + khmer + " " + khmer + "\n";
    const struct {
        std::string markdown;
        std::optional<std::int64_t> limit;
        std::string expected;
    } cases[] = {
        {bengaliWords, std::nullopt, bengali + " " + bengali + " " + bengali},
        {bengaliWords, 11, bengali + " " + bengali + "\n" + bengali},
        {bengaliWords, 10, bengali + "\n" + bengali + "\n" + bengali},
        {khmer + "\n" + khmer + "\n", std::nullopt, khmer + "\n" + khmer},
        {khmerWords, 7, khmer + " " + khmer + "\n" + khmer},
        {khmerWords, 6, khmer + "\n" + khmer + "\n" + khmer},
        {"- " + bengaliWords, 13, "- " + bengali + " " + bengali + "\n  " + bengali},
        {"- " + bengaliWords, 12, "- " + bengali + "\n  " + bengali + "\n  " + bengali},
        // The text goes on from a task's box.
        {"- [ ] " + bengaliWords, 17, "- [ ] " + bengali + " " + bengali + "\n  " + bengali},
        {"- [ ] " + bengaliWords, 16, "- [ ] " + bengali + "\n  " + bengali + " " + bengali},
    };
    for (const auto& [markdown, limit, expected] : cases) {
        Options options;
        if (limit)
            options.preferredLineLimit =
                Options::PreferredLineLimit{Options::LineSplittingElement::softBreak, *limit};
        EXPECT_EQ(format(Document::parsing(markdown), options), expected)
            << markdown << " limit " << limit.value_or(0);
    }
}

// Each block's inline text is laid out on its own: nothing of one block carries to the next.
TEST(MarkupFormatter, PrintsEachBlockAsItWouldPrintAlone) {
    const Paragraph blocks[] = {
        Paragraph(Emphasis(Text("a")), Text("")),
        Paragraph(LineBreak(), Text("b")),
        Paragraph(Text("c*d "), InlineCode("e"), SoftBreak(), Text("- f")),
        Paragraph(Text("g")),
    };
    std::string alone;
    for (const Paragraph& block : blocks)
        alone += (alone.empty() ? "" : "\n\n") + format(Document(block), Options{});
    EXPECT_EQ(format(Document(blocks[0], blocks[1], blocks[2], blocks[3]), Options{}), alone);
}

TEST(MarkupFormatter, KeepsItsStateTrueAsItPrints) {
    MarkupFormatter formatter(Options{});
    Document::parsing("> a\n> b\n\nccc\n").accept(formatter);
    EXPECT_EQ(formatter.result(), "> a\n> b\n\nccc");
    const MarkupFormatter::State& state = formatter.state();
    EXPECT_EQ(state.lineNumber, 3);
    EXPECT_EQ(state.currentLength, 3);
    EXPECT_EQ(state.lastLineLength, 0);
    EXPECT_EQ(state.newlineStreak, 0);
    EXPECT_EQ(state.queuedNewlines, 0);

    // Blocks of many lines: the lengths are those of the last two, prefixes and all.
    const struct {
        const char* markdown;
        std::int64_t lineNumber, lastLineLength, currentLength;
    } cases[] = {
        {"> a\n> b\xC3\xA9\n> c\xD0\xB4\xD0\xB0\n", 2, 4, 5},
        {"```\n1\n22\n4444\n```\n", 4, 4, 3},
        {"- a\n  b\n  ccc\n  dd\n", 3, 5, 4},
        // Clusters of more than one scalar (Bengali, Khmer), and a zero-width space alone.
        {"> \u0995\u09BF\u0995\u09BF\n> \u1780\u17B6\u200B\u1781\u17B7\n", 1, 4, 5},
    };
    for (const auto& [markdown, lineNumber, lastLineLength, currentLength] : cases) {
        MarkupFormatter printer(Options{});
        Document::parsing(markdown).accept(printer);
        EXPECT_EQ(printer.state().lineNumber, lineNumber) << markdown;
        EXPECT_EQ(printer.state().lastLineLength, lastLineLength) << markdown;
        EXPECT_EQ(printer.state().currentLength, currentLength) << markdown;
    }
}

} // namespace
} // namespace markdown
