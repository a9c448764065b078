#include "Markdown/elements/Elements.hpp"
#include "Markdown/elements/MarkupRewriter.hpp"
#include "Markdown/format/MarkupFormatter.hpp"
#include "Markdown/support/CharacterBreaks.hpp"
#include "tests/Markdown/ParserExamples.hpp"
#include "tests/Markdown/RawOutline.hpp"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sstream>

namespace markdown {
namespace {
using namespace markdown::testing;
using Options = MarkupFormatter::Options;

// Soft breaks as spaces and neighbouring texts as one: what a tree says once its line ends may
// move.
struct Unwrapped : MarkupRewriter {
    std::optional<Markup> visitSoftBreak(const SoftBreak&) override { return Text(" "); }
    std::optional<Markup> defaultVisit(const Markup& markup) override {
        std::vector<Markup> children;
        for (const Markup& child : markup.children()) {
            std::optional<Markup> rewritten = visit(child);
            auto text = rewritten->as<Text>();
            auto last = children.empty() ? std::nullopt : children.back().as<Text>();
            if (text && last)
                children.back() = Text(last->string() + text->string());
            else
                children.push_back(*rewritten);
        }
        return markup.withUncheckedChildren(children);
    }
};

Markup unwrapped(const Markup& markup) {
    Unwrapped rewriter;
    return *rewriter.visit(markup);
}

struct Outcome {
    bool same = true;
    bool fixedPoint = true;
    std::string printed;
};

// A directive as its name, argument text and children: where it stood in the source is no
// part of what it says.
struct Unplaced : MarkupRewriter {
    std::optional<Markup> visitBlockDirective(const BlockDirective& directive) override {
        std::optional<std::string> arguments;
        for (const auto& segment : directive.argumentText().segments)
            arguments = (arguments ? *arguments + "\n" : "") + std::string(segment.trimmedText());
        std::vector<Markup> children;
        for (const Markup& child : directive.children())
            children.push_back(*visit(child));
        return BlockDirective(directive.name(), arguments).withUncheckedChildren(children);
    }
};

Markup unplaced(const Markup& markup) {
    Unplaced rewriter;
    return *rewriter.visit(markup);
}

Outcome roundTrip(const std::string& markdown, const Options& options, bool unwrap,
                  ParseOptions parseOptions = {}) {
    const Document source = Document::parsing(markdown, std::nullopt, parseOptions);
    Outcome outcome;
    outcome.printed = format(source, options);
    const Document reparsed = Document::parsing(outcome.printed, std::nullopt, parseOptions);
    outcome.same = unwrap
                       ? unwrapped(unplaced(reparsed)).hasSameStructure(unwrapped(unplaced(source)))
                       : unplaced(reparsed).hasSameStructure(unplaced(source));
    outcome.fixedPoint = format(reparsed, options) == outcome.printed;
    return outcome;
}

// What CommonMark cannot say twice, each with the reason; every example says itself now.
const std::map<std::string, std::string> keptBack = {};

void checkEveryExample(const Options& options, bool unwrap) {
    int same = 0;
    int different = 0;
    for (const Example& example : allExamples()) {
        const Outcome outcome = roundTrip(example.markdown, options, unwrap);
        const bool expectedDifferent = keptBack.contains(example.name);
        outcome.same ? ++same : ++different;
        if (outcome.same == expectedDifferent)
            ADD_FAILURE() << example.name << (outcome.same ? " now round-trips" : " differs")
                          << "\n--- source\n"
                          << example.markdown << "--- printed\n"
                          << outcome.printed << "\n--- source tree\n"
                          << outline(Document::parsing(example.markdown).raw().markup)
                          << "--- reparsed tree\n"
                          << outline(Document::parsing(outcome.printed).raw().markup);
        else if (outcome.same && !outcome.fixedPoint)
            ADD_FAILURE() << example.name << " is not a fixed point:\n"
                          << outcome.printed << "\n--- printed again\n"
                          << format(Document::parsing(outcome.printed), options);
    }
    std::cout << "same " << same << ", different " << different << ", kept back " << keptBack.size()
              << "\n";
}

TEST(MarkupFormatterRoundTrip, EveryParserExampleAndNoteReadsBackAsTheSameTree) {
    checkEveryExample(Options{}, false);
}

constexpr std::int64_t lineLimit = 40;
const Options wrapped{
    Options::PreferredLineLimit{Options::LineSplittingElement::softBreak, lineLimit}};

// What a continuation of `line` starts with: its quote markers and indentation, with a list
// marker turned into as many spaces.
std::string continuationPrefix(std::string_view line) {
    std::size_t end = line.find_first_not_of("> ");
    end = end == std::string_view::npos ? line.size() : end;
    std::string prefix(line.substr(0, end));
    std::size_t marker = end;
    while (marker < line.size() && std::isdigit(static_cast<unsigned char>(line[marker])))
        ++marker;
    const bool numbered =
        marker > end && marker < line.size() && (line[marker] == '.' || line[marker] == ')');
    const bool bullet = marker == end && marker < line.size() &&
                        std::string_view("-*+").find(line[marker]) != std::string_view::npos;
    if ((numbered || bullet) && marker + 1 < line.size() && line[marker + 1] == ' ')
        prefix += std::string(marker + 2 - end, ' ');
    return prefix;
}

// A printed line longer than the limit that could have been broken at a space before it
// without changing the tree; none when every long line had to stay whole.
std::optional<std::string> needlesslyLongLine(const std::string& printed) {
    const Markup printedTree = unwrapped(Document::parsing(printed));
    std::vector<std::string> lines;
    std::istringstream stream(printed);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (static_cast<std::int64_t>(characterCount(line)) <= lineLimit)
            continue;
        const std::string prefix = continuationPrefix(line);
        for (std::size_t space = line.find(' ', prefix.size());
             space != std::string::npos && space + 1 < line.size();
             space = line.find(' ', space + 1)) {
            if (line[space - 1] == ' ' || line[space + 1] == ' ')
                continue;
            const bool fits =
                static_cast<std::int64_t>(characterCount(line.substr(0, space))) <= lineLimit;
            std::string edited;
            for (std::size_t j = 0; j < lines.size(); ++j)
                edited += (j == i ? line.substr(0, space) + "\n" + prefix + line.substr(space + 1)
                                  : lines[j]) +
                          "\n";
            if (unwrapped(Document::parsing(edited)).hasSameStructure(printedTree))
                return line;
            if (!fits)
                break; // past the limit only the first possible break counts
        }
    }
    return std::nullopt;
}

TEST(MarkupFormatterRoundTrip, WrappedAtFortyCharactersEveryExampleSaysTheSame) {
    checkEveryExample(wrapped, true);
    int longLines = 0;
    for (const Example& example : allExamples())
        if (auto line = needlesslyLongLine(format(Document::parsing(example.markdown), wrapped)))
            ADD_FAILURE() << example.name << " has a line it could have broken:\n"
                          << *line << (++longLines, "");
}

} // namespace
} // namespace markdown

namespace markdown {
namespace {

TEST(MarkupFormatterRoundTrip, BlockDirectivesAndDoxygenCommandsReadBackWithTheirOptions) {
    const ParseOptions directives = ParseOptions::parseBlockDirectives;
    const ParseOptions doxygen = {ParseOptions::parseBlockDirectives,
                                  ParseOptions::parseMinimalDoxygen};
    const std::pair<const char*, ParseOptions> examples[] = {
        {"a\n\nb\nc\n", directives},
        {"```\n@Name\n```\n", directives},
        {"    @Name\n", directives},
        {"@Box {\n    a\n    b\n}\n", directives},
        {"@Box {\n    a\n\n        code\n}\n", directives},
        {"text\n@Name\n", directives},
        {"@A(x: 1,\n@B\n", directives},
        {"@Outer {\n  @Inner {\n    text\n  }\n}\n", directives},
        {"}\ntext\n", directives},
        {"@Name\n\ntext\n", directives},
        {"@Name\ntext\n", directives},
        {"@Name(a: 1) {\n}\n", directives},
        {"@Name(\na: 1,\nb: 2)\n", directives},
        {"@Name(a: \")\") {\n}\n", directives},
        {"@Name(a: \\)) {}\n", directives},
        {"@Name(x) { }\n@Other {}\n", directives},
        {"@Name { hello }\n", directives},
        {"@Box {\ntext\n  } dropped\n", directives},
        {"a\n\n@Box {\ncontent\n}\n", directives},
        {"@A {\n@B {\nx\n}\ny\n}\n", directives},
        {"@Box(a: 1,\n  b: 2) {\n  text\n}\n", directives},
        {"@Box {\n- a\n- b\n\n> quote\n}\n", directives},
        // A closing brace that ends a content line, and an argument list a quote keeps open.
        {"@Box {\n\na&#125;\n}\n", directives},
        {"@Box(a: \"x)\n\ntext\n", directives},
        {"@Box(a: x\\)\n\ntext\n", directives},
        {"@param x The x.\ncontinued\n\nafter\n", doxygen},
        {"\\Returns the value.\n", doxygen},
        {"@PARAM x desc\n", doxygen},
        {"@param\n\n@unknown x\n\n@paramx y\n", doxygen},
        {"@note First\n  second line\n", doxygen},
        {"@param x First line\nsecond line\n@returns *it*\n", doxygen},
        {"@brief A.\n\n@discussion B.\n\n@note\n", doxygen},
        {"@note A list:\n- one\n- two\n", doxygen},
    };
    for (const auto& [markdown, parseOptions] : examples) {
        const Outcome outcome = roundTrip(markdown, Options{}, false, parseOptions);
        EXPECT_TRUE(outcome.same) << markdown << "--- printed\n" << outcome.printed;
        EXPECT_TRUE(outcome.fixedPoint) << markdown;
    }
}

} // namespace
} // namespace markdown

namespace markdown {
namespace {

// Texts the printer fuzzer found, minimised: each reads back as its tree on both roads, with and
// without wrapping, and prints again as itself.
TEST(MarkupFormatterRoundTrip, ParagraphContinuationLineFlipsTheRoadsToggle) {
    // Unwrapped only: wrapping joins the line to the one before it.
    const Outcome outcome = roundTrip("    ```\n@\n    ```\n@p\n", Options{}, false,
                                      {ParseOptions::parseBlockDirectives});
    EXPECT_TRUE(outcome.same) << outcome.printed;
    EXPECT_TRUE(outcome.fixedPoint) << outcome.printed;
}

TEST(MarkupFormatterRoundTrip, FuzzFindingsReadBackOnBothRoads) {
    const ParseOptions road = {ParseOptions::parseBlockDirectives,
                               ParseOptions::parseMinimalDoxygen};
    const std::string longLine(48, 'x');
    const char* const findings[] = {
        "~~~\\~`\n",        // an info string that starts with the fence character
        "\n\xEF\xBB\xBF\n", // a byte order mark that would open the text
        "***\x7f*\x01\n",   // a control character beside a delimiter is a word
        "***h*\x7f\n",
        "r*~\x1e*\n", // a tilde the parser looks through
        "***e***e\n", // inner runs join the outer ones a word flanks
        "_*b*o_\n",   // the outer span takes the character left over
        "_\xC3\xA9*\xC3\xA9*u_\n",
        "***r*e*r\n", // a literal asterisk the opening run needs
        "***t*t*t\n", "***h*h*t*\n",
        "~~@~@~@~~\n", // strikethrough inside strikethrough
        "^[\n]()\n",   // a caret before a link
        "^[](\x0b)\n",
        "\x0b\n\x0b-\n",   // a cell of a vertical tab
        "&#11;\n",         // a paragraph that ends with one
        "- [x] \n",        // an empty task
        "- [](g '\n ')\n", // a title with a line end
        "```\n```.\n@p\n", // fences the directive road counts differently
        "```\n~~~\n@t\n", "    ```\n```\n@@\n", "```\n~~~\n@\n@p\n",
        "~~~\n```\n\\\xEF\xBF\xBD\n@p\n",
        "\\\x0b\n",                                   // a backslash before a vertical tab
        "```\n```\xEF\xBF\xBD\n\\t\n@\xEF\xBF\xBD\n", // a backslash before no command's name
        "\\\\note\n",                                 // a backslash before a Doxygen command's name
        "@param c\n}\n***\n",                         // a thematic break under a paragraph
        "**_|_*a**\n",                                // a literal asterisk that opens a word
        "***o* s*\x01*\n", // a closer that may open, after a run joined at the start
        "@note{\n",        // a directive named as a Doxygen command
        "@NOTE)\n", "@param{\n@x\n}\n",
        "@I{\n\n\xEF\xBB\xBF\n",     // a byte order mark that would open a directive's text
        "@o{\n\x0b\xEF\xBB\xBF\n",   // ...after a vertical tab the road reads as a line end
        "    ```\n    @N\n",         // code that leaves the road's fence toggle on at the end
        "    @e\n    ```\n    @N\n", // ...and holds directive lines
        "- ```\n```\n@i\n",          // ...where code after it needs it off
        "@c\n{\n    ```\n    @D\n",  // ...opening a directive's content
        "```\n~~~\n}\n@p\n",         // a code line that closes no directive
        "\xEF\xBB\xBF```\n~~~\n@p\n",
        "@x{\n```\n```t\n```\n~\n",     // a directive that ends the text with the toggle on
        "@t{\n```\xFF``\xFF`\xFF```\n", // ...left on by a code span
        "@x{\na\n\n    ```\n    @N\n",  // ...by indented code
        "```r`\xFF``\n```r`\n@N\n",     // a code span whose closing run flips the toggle back
        "```r`\xFF``\n    ```\n@`\n",
        "~~~\n```\n\n\n@p\n", // unclosed code before a directive, ending in a blank line
        "&#12;r\n",           // line breaks only the road knows, inside text
        "&#12;*\n", "a&#11;b&#133;c&#8232;d&#8233;e\n",
        "a\\\\&#11;b\n", // ...after a backslash
        "a*\013b*\n",    // ...beside a delimiter, which a reference would flank otherwise
        "*b\x0b*a\n",
        "a*~\013b*\n", // ...or beside a tilde the parser looks through
        "*b\x0b~*a\n",
        "*&#11;*\n",      // ...but a reference where space stands outside the runs
        "*]*\x0ba*a*e\n", // ...not punctuation, beside which the run could close as well
        "*\x0b*~a~\n",    // ...nor an element
        "J**a***\x0b\xC3\xBF*\x01\n",                    // ...nor a run it joins
        "**\x01\n**\xEF\xBF\xBD*\n\x0b**\xEF\xBF\xBD\n", // ...past a closer joined to the outer one
        "a\\\302\205b\n",
        "@t{<div }}\n",         // a directive's first content line that ends with a brace
        "@o(\n`\n    @t\n",     // an argument line indented as code past the first one
        "@o(`\n ){\n      e\n", // argument lines that set the content's indentation
        "@I(\"\n){\nx\n",       // an open quote before the content
        "_s_*t*o\n",            // only the first span's other character leaves one for the second
        "****o* s*4\n", "***\x01****\x01*\x01\n",
        "****\xff*\r\xef*\xff\n", // the same once a soft break is a space
        "\\**.*.\n",              // an escaped asterisk before an opening run
        "\\**\\\\*\\\n",
        "\\**\\p*p\n", // joined to the opening run, it makes a closer of it
        "*_|_|\n",
        "__\xEF\xBF\xBD_*_*__\n", // a literal joined to a closing run
        "______*_@__@_@_\n",
        "***e*T*m\n***(T*6\n",              // every literal of an opening run bare
        "_____________\x02_____________\n", // runs nested deep, of one character
        "***{*{*{*\n", // runs nested deep, joined, which only one character reads back
        "*******a*******a\n", "___*_*_*_\n",
        "*x~~*x\n", // tildes the parser looks through beside a closer
        "I*~~\x7f*\n", "**~*~\n",
        "*\\~e~*\x7f\n", // bare before the closer only: both bare would strike through
        "e*~e\\~*\n",
        "A*~~t~*t\n",  // ...at both ends, where either alone reads no further
        "*~s\n~t*\n",  // ...where no word outside the runs makes the backslash matter
        "**p*_{_**\n", // two changes together: neither alone reads any further
        "**r*_*_**\n", "___*_*A*_\n", "'_*\x01*\x01_\n",
        "*~*o~~*o~\n", // strikethrough of one tilde, where a text's two beside a run stay bare
        "}~*a~~*a~\n",
        "**[*\f\n",      // a form feed after a closer, kept by a reference
        "[[]()[]]()\n",  // a link inside a link
        "^[[]([)]]()\n", // ...or inside inline attributes
        "*<*&#1;\n",     // a control character after a closer, flanking it as a word
        "&#1;*;*\n",
        "**X*\x0b)*m***X**\n", // runs nested three deep around punctuation
        "___*(*_*_*\n",        // ...that join a literal and share a character
        "_***@*@*_\n",
        "******#*****a**#*****a***********a*a\n", // ...each span with its own choice
        "****a*__**\xC2\xBD**__*_******\x01*a******\x01*\x02\n",
        "\n\xEF\xBB\xBF******\xC2\xA3**d*\xC2\xA3*\n", // a byte order mark opening a later line
        "[](&amp;mp;)\n",                              // a reference in a destination
        "~**\\\xEF\xBF\xBD*_$_*\n",                    // a tilde the opener must look through
        "**\x1f*_\"_*~\n",
        "___*\xEF\xBF\xBD*_*\xEF\xBF\xBD*\xEF\xBF\xBD*\xEF\xBF\xBD*_*\xEF\xBF\xBD*_*\xEF\xBF\xBD***"
        "*\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD*\xEF\xBF\xBD*\xEF\xBF\xBD*\n", // ...and more of
                                                                              // them, under each
                                                                              // child in turn
        "___*\xEF\xBF\xBD*_*\xEF\xBF\xBD*\xEF\xBF\xBD*\xEF\xBF\xBD*_*\xEF\xBF\xBD*_*\xEF\xBF\xBD*"
        "\xEF\xBF\xBD*\xEF\xBF\xBD*\n", // spans nested right inside spans, as one run
        // runs nested deep whose search finds a printing only past tries that print alike
        "*\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBDN\x18\xEF\xBF\xBDr*/"
        "0**r*\x01\x0B*\xEF\xBF\xBDhy\xEF\xBF\xBD***r:***r/**r*/0**r0**rr0**r",
        "*\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF"
        "\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD**2**#***?*****\xEF\xBF\xBD*|(***("
        "\x0B\xEF\xBF\xBD**\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\x0C\xEF\xBF\xBD\x01 "
        "***a\xEF\xBF\xBD*a\xEF\xBF\xBD*",
        "___*\xEF\xBF\xBD*_*\xEF\xBF\xBD*\xEF\xBF\xBD*\xEF\xBF\xBD*_*\xEF\xBF\xBD*_*\xEF\xBF\xBD***"
        "*\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD*\xEF\xBF\xBD*\\_*__\xEF\xBF\xBD___\xEF\xBF\xBD_"
        "\xEF\xBF\xBD_*_\xEF\xBF\xBD_\\*__\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD_\xEF\xBF\xBD_"
        "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD",
        "___*\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD*\xEF\xBF\xBD_*"
        "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD*"
        "\xEF\xBF\xBD\xEF\xBF\xBD*\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD*_*"
        "\xEF\xBF\xBD\xEF\xBF\xBD*\xEF\xBF\xBD_*\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD_*"
        "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD*_*\xEF\xBF\xBD\xEF\xBF\xBD*\xEF\xBF\xBD_*"
        "\xEF\xBF\xBD*\xEF\xBF\xBD*\xEF\xBF\xBD",
        // ...past tries that join literals where none is escaped
        "******#*****"
        "\xC2\x85\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF"
        "\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"
        "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\x03\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"
        "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF"
        "\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF"
        "\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD-"
        "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD****,#root***"
        "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF"
        "\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBDH\xEF\xBF"
        "\xBD"
        "7****",
        // ...and one that only a try whose unnamed spans print otherwise reads back
        "`  "
        "`\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF"
        "\xBF\xBD\xEF\xBF\xBD\x08\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF"
        "\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD)"
        "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD*\xEF\xBB\xBF*t "
        "***a**\x01\n**1\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD`"
        "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"
        "d`\n***\xEF\xBF\xBD******#, "
        "\n\n\x09```\n****a*#*****#******#*+**a\xEF\xBF\xBD*#\xEF\xBF\xBD***#******#*+**"
        "a\xEF\xBF\xBD*#\xEF\xBF\xBD**a**$#*1."
        "\x07\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD`"
        "\n<i^\xEF\xBF\xBD&"
        "\x01\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD`\n<",
        "~@~m@~~@~~@~-~\n",                // strikethrough three deep, each with its own length
        "__\\*_n*\x0b*\xEF\xBF\xBD__*_\n", // a vertical tab bare beside runs of both characters
        "~*~\xEF\xBF\xBD\f~,\xEF\xBF\xBD~e~e~\n", // a form feed that only bare flanks a run
        "*t~\n\xEF\xBF\xBD~*~\n",                 // texts that taking a soft break out leaves apart
        "**~\xEF\xBF\xBD\r~\xEF\xBF\xBD*\n",
        "```&#11;\n", // line breaks only the road knows, in an info string or a link
        "[a](<&#12;> \"&#8232;\")\n",
        "\\\xEF\xBF\xBD*\x0b*\n", // a bare backslash before a character printed as a reference
        "* - -\n",                // lists opening the first lines of items
        "@note - ~~~\n",          // a list with code opening a Doxygen command's text
        "@param \xC2\xBB\n*     ;\n",
        "    ```\n```t`\n@t\n",      // a paragraph line that turns the road's toggle off
        "```i`\n```d\n```]\n@i\n",   // ...or on, for the code after it
        "```\n```\x06\n    @`\n@Y",  // a code line the road takes for code by its indentation
        "    ```\n@\n    ```\n@p\n", // a continuation line that turns it off, wrapped or not
        "@t{\n>\n    ```\ne\n    ```\n}\n\x91\n",
        "\\return F\n- ```\n", // code in a Doxygen command, where the road keeps no toggle
        "    ```\n\n```t``\n[`a`](u)\n@p\n", // a line that flips it beside a code span
        "```\x04``\xff`_```\n```\xff`\n@*\n",
        "```\xff`\x01`\n```e\n```@\n@@\n", // ...opening with a run before a code span
        "```J`Y`\n~~~`\n~~~`\n@N\n", "```r`\n`\n\n    ```\n@\n@@\n",
        "``` A`A``*\n```*`\n@*\n",        // a code span whose closing run opens a line
        "```r`\xff``\n````\xff```\n@`\n", // ...at a space inside it
        "*\x01\n```\xff``\xff`\n```\xff`*\n@\xde\n",
        "@t\n{\n    ```\ne```\n    ```\n}\n\x91\n", // ...after a word
        "    ```\n```\xff```\n@\xff\n",             // a code span opening a line with a longer run
        "@n{\n```\n    ```\n    }\n}\nr\n",         // a code line indented as code in a directive
        "@a{\n\ne}  \no\n",                  // a brace before a hard break on a first content line
        "@o(\n`\n    @\xc0\n}\n",            // an argument line of a brace, outside any directive
        "@I( \n ){\n@I( \n \n",              // argument lines inside a directive's indented content
        "\xEF\xBB\xBF```\n~~~\n@p\n \n",     // code that only a byte order mark before it keeps
        "@I\n\xEF\xBB\xBF```\n~~~\n@p\n \n", // ...right after a directive
        "    ```\n!\n\n    ```\x1f\n}\n@\xff\n", // ...but not where code after it needs the toggle
                                                 // on
        "@I( \n ){\x0b```\n```\xbd\n}\nf\n",     // unclosed code in a directive's indented content
        "~&#11;\x01\n",                 // a line break only the road knows after an escaped tilde
        "@param S\n```\n r\n",          // code opening a Doxygen command's text
        "```p`\n<div\n@;\n",            // a line that flips the toggle on for the HTML after it
        "```o`\n\n~\n```\n\n~~~\n@`\n", // ...or for code past text that cannot flip it
        "```r`\n\n`\n\n\t```\n@\n@e\n",
        "`a`\n\n    ```\n!\n\n    ```\n}\n@x\n", // code that leaves it on for the code after it
        "(\n    ```\n\n\xff```\n\n    ```\n}\n@\xff\n",    // ...past a run that opens no line
        "i\x0c~~~ \n```\n~~~\n`p` t\n1. *\n<i>\n@\x1a\n",  // ...or a list of such text
        "i\x0c~~~ \n```\n~~~\n`p` t\n> ```\n<i>\n@\x1a\n", // ...or a quote
        "```b`\n\n    ```\n```a\n@D\n", // code past the last directive that needs it off
        "`\n`\n\n    ```\nx ```\n\n    ```\n}\n@x\n", // ...past a run that opens no line
        "@c\n{\n    ```\n ```\n    }\n}\nf\n",        // a fence indented so that a brace is code
        "    ```\ne````\n    ```\ne`\\`hasephrase`\nq\n}\n@x\n", // a wrap beside a code span
        "    ```\nmmmmmmmmmmmmmmmmmmm\n```t`a`\n[`a`](u)\n@p\n", // ...before a link
        // ...after a span opened and closed by runs of three
        "```\x04!`\xfb``\xfb`_\xff\xff```*\n    ```\x0b}\nqqqqqq\xffqq\xff`\n@*",
        "    ```\n1. a\n   ```\n@x\n", // code that ends a list, left unclosed
        ";&#9;\n", "a&#32;\nb\n",      // whitespace a line's end would lose
        "# a&#9;\n", "| a&#9; |\n|-|\n", "`a`&#9;\nb\n", "@x{\na }&#9;\n}\n",
        "*\x0b* \n\xEF\xBF\xBD*\x0b*\n",     // a text of nothing beside the text a wrap joins it to
        "~~~ a&#10;b\n", "[a](<b&#10;c>)\n", // line ends in an info string or a destination
        "[a](<&#32;b>)\n", "[a](&#32;)\n",   // spaces the parser trims off a destination
        "* * * ~~~\n",                       // bullets alone before code on the line below
        ";**~~\xEF\xBF\xBD*_*=*_**\n",       // tildes in runs, bare, as characters are chosen
        "\t```\n\xEF\xBF\xBD\t ```",         // a wrapped line that would end in a tab
        // a wrapped line ended inside a code span, before a run of three in its code
        "    `````\n`  e````\n    ```\ne`\\`hase`\nq\n}\n@x",
        "    ```\n`\n    "
        "```\ne``\x01\xEF\xBF\xBD\x0b`\\`ha\x01_s(ras`\n\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\r@x",
        "```r* ( "
        "`\n``\x01```\n@@`\n```\xf0\xf0\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD`\n`"
        "Xtext\xc9@\n@\xf0",
        "    ```\ne ```e`a`\x8a``\n``",        // ...not before a run that then pairs otherwise
        "    ```\n[`\n    ``` e`](u)\n\n@x\n", // a line end inside a code span in a link
        "@t{\nq\n\n    ```\n\nx}\n    ```b\n}\n@p\n", // a wrapped line after a brace in a directive
        "@t{\nq\n\n    ```\n}\n    ```\n@p",          // ...escaped
        "```r`\n\n\x08  ```\n\n    ```\n`\n@@",       // text whose run cannot open a wrapped line
        "@t{\nx\n```}```\n\n<i>\n@@",                 // a wrapped line ended before a span of three
        "@`{\n\nx}\n```}```\n\n<i>\n@@",              // ...after a brace
        "    ~~~\np\n    ~~~\n@p",                    // ...before escaped tildes
        "    ```\n1. a\n   ```\n@x\n",                // code that ends a list, left unclosed
        "`\n  ~~~\n\n~~~\xff\n    @~\n", // a fence indented so that a code line is code
        "`\n  ~~~~[\n~~~\n    @~\n",
        "    ```\n    @-\n```\n@-\n",  // unclosed code after indented code
        "```\n    ```\n```\n    @f\n", // ...but indented after fenced code
        "```~`\n\n<i>\n```\n@`\n",     // a line that flips it for HTML and the directive after
        "```\xEF\xBF\xBD`\n\n<i>\n\n<i>\n@\xEF\xBF\xBD\n", // ...or past HTML
        "    ```\n1. \x01`\xff`\n<i>\n@}\n", // code that leaves it on for HTML past a list
        "```\xD6\x99\n@U\n", // an opening fence a combining mark keeps from flipping it
        "{\n    ```\n\n    @\n<i>\n@c\n", // code that must leave it on for the HTML after it
        "1.\n   ~~~\n```\n~~~\n@\xD7\n",  // ...and for the code after its list
        "@t\n{\n    ```\n    }\ni\n    ```\n}\n\xff\n", // ...for text that turns it off
        "    ```\n1. a\n   ```\n1.\n@x\n",              // code that ends a list item, left unclosed
        "```\xEF\xBF\xBD`\n=\n<i>\n@n\n", // an underlined heading's line that flips it for HTML
        // a line that leaves the toggle as code three blocks on needs it
        "    ```\nx ```\n\n    `\n`\n\n    ```\n`\n@t",
        "```\xEF\xBF\xBD`\n\n    `\n}\n\n    ```\n}\n@\xEF\xBF\xBD",
        "``` `\n```\n```\n````\xEF\xBF\xBD\n```\n@\xEF\xBF\xBD",
        "@c{\n)\n    ```\n```\n```\n````\n\n```\n}", // ...in a directive
        "\xEF\xBB\xBF    ```\n}\n@\xBB", // code that only a byte order mark keeps, before text
        "*  \xff\n~~~\n~~~\xff\n  @7",   // a fence indented after a list, kept out of it
        "@t{\nq\n\n    ```\n\x01``}\n```}``\n@/", // a brace ending a line after a content's first
        "\xEF\xBF\xBD\n```\x04`\n=\n```\n\n~~~\n@*", // a wrapped heading underlined to flip it
        "`\n```\x04`\n=\n```\n~~~\n@`\n\n",          // ...at a code span's run
        "    ```\n1. a`\n`\n0.\n<i>\n@`", // a toggle carried past items that cannot flip it
        "```  ```\xEF\xBF\xBD`\xEF\xBF\xBD`\n=\n<i>\n@n", // a heading's code span that flips it
    };
    std::vector<std::string> texts(std::begin(findings), std::end(findings));
    // Wrapping: a break after a tab, before a setext underline, inside inline attributes.
    texts.push_back(longLine + "\t " + longLine + "\n");
    texts.push_back("x " + longLine + " ====\nb\n");
    texts.push_back("} ^[attt 'sn](Te).sin](Te*T)." + longLine + "\n");
    texts.push_back("@t{\nt} " + longLine + "\n"); // ...where a line would break
    // Runs nested deep under one child, whose characters only read back chosen together.
    texts.push_back("___*\xEF\xBF\xBD*_*\xEF\xBF\xBD*\xEF\xBF\xBD*s*_*D*\xEF\xBF\xBD*\xEF\xBF\xBD**"
                    "\xEF\xBF\xBD*!s*D*\xEF\xBF\xBD*_*D*\xEF\xBF\xBD*\xEF\xBF\xBD*\n");
    texts.push_back(
        "^__&__\xEF\xBF\xBD_*\x0E*\x1F__~__**\x01\xEF\xBF\xBD\xEF\xBF\xBD*X*\\_\x08*\x01 *"
        "\x1F__~_@\xEF\xBF\xBD@_\\**\00351*\x1F__~_@\xEF\xBF\xBD@_\n");
    // ...found only late in the search
    texts.push_back(
        "^__&__\xEF\xBF\xBD_*\x0E*\x1F__~__**\x01\xEF\xBF\xBD\xEF\xBF\xBD*X*\\_\x08*\x01 *"
        "\x1F__~_@\xEF\xBF\xBD@_\\**\x03"
        "51*\x1F__~\xEF\xBF\xBD@\xEF\xBF\xBD@_");
    // ...or a first line that would open code, run on to the backtick that keeps it text
    texts.push_back("    ```\n```" + longLine + " b`\n@t\n");
    // Runs nested deep in a paragraph whose code span flips the road's toggle, gathered again
    // with the span printed otherwise.
    texts.push_back(
        "___*\xEF\xBF\xBD*_*\xEF\xBF\xBD*\xEF\xBF\xBD*s*_*D*\xEF\xBF\xBD*\xEF\xBF\xBD**"
        "\xEF\xBF\xBD*!s*D*\xEF\xBF\xBD*_*D*\xEF\xBF\xBD*\xEF\xBF\xBD*\n``` A`A``*\n```*`\n@*\n");
    for (const std::string& text : texts)
        for (const ParseOptions& parseOptions : {ParseOptions{}, road})
            for (const bool wrap : {false, true}) {
                const Outcome outcome =
                    roundTrip(text, wrap ? wrapped : Options{}, wrap, parseOptions);
                EXPECT_TRUE(outcome.same) << text << "--- printed\n" << outcome.printed;
                EXPECT_TRUE(outcome.fixedPoint) << text << "--- printed\n" << outcome.printed;
            }
}

} // namespace
} // namespace markdown
