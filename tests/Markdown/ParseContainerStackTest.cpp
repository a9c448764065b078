#include "Markdown/ParseContainerStack.hpp"
#include "Markdown/Document.hpp"
#include "Markdown/LazySplitLines.hpp"

#include "RandomText.hpp"
#include "StackThread.hpp"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace markdown {
namespace {

std::string joined(const auto& items, auto text, std::string_view separator) {
    std::string out;
    for (const auto& item : items)
        out += (out.empty() && &item == &*items.begin() ? "" : std::string(separator)) + text(item);
    return out;
}

// A line a container: "run[line|line]", "@Name(argument line|...)[children]",
// "\kind name[line|...]"; children separated by spaces.
std::string shapeOf(const ParseContainer& container) {
    auto rest = [](const TrimmedLine& line) { return std::string(line.rest()); };
    auto children = [](const std::vector<ParseContainer>& all) {
        return all.empty() ? "" : "[" + joined(all, shapeOf, " ") + "]";
    };
    if (const auto* run = std::get_if<ParseContainer::LineRun>(&container.value))
        return "run[" + joined(run->lines, rest, "|") + "]";
    if (const auto* command = std::get_if<ParseContainer::DoxygenCommand>(&container.value))
        return "\\" + command->command.kind.debugDescription() + "[" +
               joined(command->lines, rest, "|") + "]";
    if (const auto* block = std::get_if<ParseContainer::BlockDirective>(&container.value)) {
        const auto& tokens = block->directive.argumentsText;
        auto text = [](const TrimmedLine::Lex& token) { return std::string(token.text); };
        return "@" + std::string(block->directive.name) +
               (tokens.empty() ? "" : "(" + joined(tokens, text, "|") + ")") +
               children(block->children);
    }
    return joined(*container.children(), shapeOf, " ");
}

std::string shapeOf(std::string_view text, bool doxygen = false) {
    ParseContainerStack stack = Document::parseLines(
        {text, std::nullopt}, doxygen ? ParseOptions::parseMinimalDoxygen : ParseOptions());
    EXPECT_EQ(stack.stack().size(), 1u);
    return shapeOf(stack.root());
}

TEST(ParseContainerStack, GroupsLinesIntoDirectivesCommandsAndRuns) {
    struct Case {
        std::string text;
        std::string shape;
        bool doxygen = false;
    };
    const std::string doc = "Sums.\n@param x The first\n  addend.\n@returns The sum.\n\nMore.";
    const Case cases[] = {
        {"a\n\n  b\nmail@example.com", "run[a||  b|mail@example.com]"},
        // Fences and indented code protect at-sign lines.
        {"```\n@Name\n```\n    @Name\n@Other", "run[```|@Name|```|    @Name] @Other"},
        // Without a brace, the first line that does not continue a directive ends it.
        {"text\n@A\nmore", "run[text] @A run[more]"},
        {"@A(x,\n@B(y)", "@A(x,) @B(y)"},
        {"@A(x,\n\ny)", "@A(x,) run[|y)]"},
        {"@A(\n  a: 1,\n  b: 2)\n{\nx\n}", "@A(  a: 1,|  b: 2)[run[x]]"},
        // Braces on the opening line.
        {"@A(x) { }\n@B {}\nafter", "@A(x) @B run[after]"},
        {"@A { hello }\nafter", "@A[run[     hello]] run[after]"},
        // A closing brace counts at the start of a line; text after it is dropped.
        {"@A {\n  x\n  y }\n  } gone\nz", "@A[run[  x|  y }]] run[z]"},
        {"@A {\nhello }", "@A run[hello }]"},
        {"@A {\n```\n}\n```\n}", "@A[run[```|}|```]]"},
        // Nesting.
        {"@A {\nbefore\n@B {\ninner\n}\nafter\n}\nout",
         "@A[run[before] @B[run[inner]] run[after]] run[out]"},
        {"@A {\n\n    x\n        @B\n    @C\n    }", "@A[run[|    x|        @B] @C]"},
        // Doxygen on and off; never inside directive content.
        {doc,
         "run[Sums.] \\'param' Argument: 'x'[The first|  addend.] \\'returns'[The sum.] "
         "run[|More.]",
         true},
        {doc, "run[Sums.] @param run[  addend.] @returns run[|More.]"},
        {"@A {\n@note x\n}", "@A[@note]", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(shapeOf(c.text, c.doxygen), c.shape) << c.text;
}

TEST(ParseContainerStack, ClosesADirectiveAtItsBraceAndDescribesTheTree) {
    std::string text = "@A(\na: 1,\nb: 2)\n{\ncontent\n}";
    ParseContainerStack stack = Document::parseLines({text, std::nullopt}, {});
    EXPECT_EQ(stack.stack().size(), 1u);
    const auto& done =
        std::get<ParseContainer::BlockDirective>(stack.root().children()->back().value);
    EXPECT_EQ(done.directive.endLocation, SourceLocation(6, 2));
    EXPECT_EQ(stack.root().debugDescription(), R"x(* Root Document
    * Block directive 'A'
      Arguments Text:
        "a: 1,"
        "b: 2"
        * Line Run
          "content"
)x");
}

TEST(ParseContainerStack, ContentIndentationDecidesWhatIsCode) {
    ParseContainerStack directive;
    directive.accept(TrimmedLine("@A {", 0, 1, std::nullopt));
    directive.accept(TrimmedLine("    x", 0, 2, std::nullopt));
    for (auto [line, code] :
         {std::pair{"    y", false}, {"       y", false}, {"        y", true}, {"    ```", true}}) {
        EXPECT_EQ(directive.isCodeLine(TrimmedLine(line, 0, 3, std::nullopt)), code) << line;
    }
    // A command's content starts at its "@" until its second line says otherwise.
    ParseContainerStack command(ParseOptions::parseMinimalDoxygen);
    command.accept(TrimmedLine("  @note First", 0, 1, std::nullopt));
    EXPECT_TRUE(command.isCodeLine(TrimmedLine("      second", 0, 2, std::nullopt)));
    command.accept(TrimmedLine("      second", 0, 2, std::nullopt));
    EXPECT_FALSE(command.isCodeLine(TrimmedLine("      third", 0, 3, std::nullopt)));
}

TEST(ParseContainerStackDeathTest, GuardsItsShape) {
    EXPECT_DEATH(ParseContainerStack().push(ParseContainer::Root{}),
                 "Cannot push additional document containers onto the parse container stack");
    EXPECT_DEATH(ParseContainerStack().closeTop(), "");
    ParseContainerStack runs;
    runs.push(ParseContainer::LineRun{});
    runs.push(ParseContainer::LineRun{});
    EXPECT_DEATH(runs.closeTop(), "Line runs cannot have children");
    ParseContainerStack commands(ParseOptions::parseMinimalDoxygen);
    commands.accept(TrimmedLine("@note x", 0, 1, std::nullopt));
    commands.push(ParseContainer::LineRun{});
    EXPECT_DEATH(commands.closeTop(), "Doxygen commands cannot have children");
}

TEST(ParseContainerStack, DeepNestingDoesNotOverflowTheStack) {
    testing::runWithStackSize(testing::desktopStackSize, [] {
        std::string text;
        for (int i = 0; i < 100000; ++i)
            text += "@A {\n";
        ParseContainerStack stack =
            Document::parseLines({text, std::nullopt}, ParseOptions::parseMinimalDoxygen);
        std::size_t depth = 0;
        const ParseContainer* container = &stack.root();
        for (; container->children() && !container->children()->empty(); ++depth)
            container = &container->children()->back();
        EXPECT_EQ(depth, 100001u); // the last, empty line is a run in the innermost directive
    });
}

TEST(ParseContainerStack, AnyTextParsesWithoutStopping) {
    const std::vector<std::string> pieces = {
        "@",       "A",       "(", ")",        "{",        "}",    "\"",          "\\",
        ",",       ":",       " ", "\t",       "\n",       "\r",   "```",         "    ",
        "@param ", "\\note ", "x", "\xC3\xA9", "\xCC\x81", "\xFF", "\xE2\x80\xA8"};
    std::mt19937 random(21);
    for (int round = 0; round < 3000; ++round) {
        const std::string text = testing::randomText(pieces, random);
        ParseContainerStack stack = Document::parseLines(
            {text, std::nullopt}, round % 2 ? ParseOptions::parseMinimalDoxygen : ParseOptions());
        ASSERT_EQ(stack.stack().size(), 1u) << text;
        std::vector<const ParseContainer*> pending{&stack.root()};
        while (!pending.empty()) {
            const ParseContainer* next = pending.back();
            pending.pop_back();
            if (const auto* block = std::get_if<ParseContainer::BlockDirective>(&next->value)) {
                std::vector<DirectiveArgumentText::ParseError> errors;
                (void)block->directive.argumentText(text).parseNameValueArguments(errors);
            }
            if (next->children()) {
                for (const ParseContainer& child : *next->children())
                    pending.push_back(&child);
            }
        }
    }
}

} // namespace
} // namespace markdown
