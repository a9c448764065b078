#include "Markdown/ParseContainerStack.hpp"

#include "StackThread.hpp"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace markdown {
namespace {

using State = PendingBlockDirective::ParseState;

std::string treeOf(std::string_view text, bool doxygen = false) {
    ParseContainerStack stack = ParseContainerStack::parsing({text, std::nullopt}, doxygen);
    EXPECT_EQ(stack.stack().size(), 1u);
    return stack.root().debugDescription();
}

// The stack after each line but the last has been accepted, nothing closed at the end.
ParseContainerStack stackAfter(std::string_view text) {
    ParseContainerStack stack;
    LazySplitLines::Iterator lines = LazySplitLines{text, std::nullopt}.makeIterator();
    while (std::optional<TrimmedLine> line = lines.next())
        stack.accept(*line);
    return stack;
}

const PendingBlockDirective& directiveAt(const ParseContainer& container) {
    return std::get<ParseContainer::BlockDirective>(container.value).directive;
}

TEST(ParseContainerStack, OrdinaryTextIsOneLineRun) {
    EXPECT_EQ(treeOf("a\n\n  b\nmail@example.com"), R"x(* Root Document
    * Line Run
      "a"
      ""
      "  b"
      "mail@example.com"
)x");
}

TEST(ParseContainerStack, CodeProtectsAtSignLines) {
    EXPECT_EQ(treeOf("```\n@Name\n```\n    @Name\n@Other"), R"x(* Root Document
    * Line Run
      "```"
      "@Name"
      "```"
      "    @Name"
    * Block directive 'Other'
      Arguments Text:
)x");
    EXPECT_EQ(treeOf("~~~\n@Name\n"), R"x(* Root Document
    * Line Run
      "~~~"
      "@Name"
      ""
)x");
}

TEST(ParseContainerStack, DirectivesEndWhereTheirSyntaxStops) {
    // Without a brace, the next line that does not continue a directive ends it.
    EXPECT_EQ(treeOf("text\n@A\nmore"), R"x(* Root Document
    * Line Run
      "text"
    * Block directive 'A'
      Arguments Text:
    * Line Run
      "more"
)x");
    EXPECT_EQ(treeOf("@A\n\nmore"), R"x(* Root Document
    * Block directive 'A'
      Arguments Text:
    * Line Run
      ""
      "more"
)x");
    // A new directive while another still collects its arguments ends the unfinished one.
    EXPECT_EQ(treeOf("@A(x,\n@B(y)"), R"x(* Root Document
    * Block directive 'A'
      Arguments Text:
        "x,"
    * Block directive 'B'
      Arguments Text:
        "y"
)x");
    // A blank line inside an argument list is refused and ends the directive.
    EXPECT_EQ(treeOf("@A(x,\n\ny)"), R"x(* Root Document
    * Block directive 'A'
      Arguments Text:
        "x,"
    * Line Run
      ""
      "y)"
)x");
    EXPECT_EQ(treeOf("}\n"), R"x(* Root Document
    * Line Run
      "}"
      ""
)x");
}

TEST(ParseContainerStack, ArgumentsAndBracesSpreadOverLines) {
    ParseContainerStack stack = stackAfter("@A(\n  a: 1,\n  b: 2)\n{\nx\n}");
    const ParseContainer& directive = stack.root().children()->at(0);
    EXPECT_EQ(directiveAt(directive).parseState, State::done);
    EXPECT_EQ(directiveAt(directive).endLocation, SourceLocation(6, 2));
    EXPECT_EQ(stack.root().debugDescription(), R"x(* Root Document
    * Block directive 'A'
      Arguments Text:
        "  a: 1,"
        "  b: 2"
        * Line Run
          "x"
)x");
}

TEST(ParseContainerStack, DirectiveStatesFollowTheLines) {
    std::string text = "@A(\na: 1,\nb: 2)\n{\ncontent\n}";
    ParseContainerStack stack;
    LazySplitLines::Iterator lines = LazySplitLines{text, std::nullopt}.makeIterator();
    std::vector<State> states;
    while (std::optional<TrimmedLine> line = lines.next()) {
        stack.accept(*line);
        for (auto i = stack.stack().size(); i-- > 0;) {
            if (std::holds_alternative<ParseContainer::BlockDirective>(stack.stack()[i].value)) {
                states.push_back(directiveAt(stack.stack()[i]).parseState);
                break;
            }
        }
        if (stack.stack().size() == 1)
            states.push_back(directiveAt(stack.root().children()->back()).parseState);
    }
    EXPECT_EQ(states,
              (std::vector<State>{State::argumentsText, State::argumentsText, State::contentsStart,
                                  State::contents, State::contents, State::done}));
}

TEST(ParseContainerStack, BracesOnTheOpeningLine) {
    EXPECT_EQ(treeOf("@A(x) { }\n@B {}\nafter"), R"x(* Root Document
    * Block directive 'A'
      Arguments Text:
        "x"
    * Block directive 'B'
      Arguments Text:
    * Line Run
      "after"
)x");
    EXPECT_EQ(treeOf("@A { hello }\nafter"), R"x(* Root Document
    * Block directive 'A'
      Arguments Text:
        * Line Run
          "     hello"
    * Line Run
      "after"
)x");
}

TEST(ParseContainerStack, ClosingBraceAtTheStartOfALineOnly) {
    // A brace ending a later content line is content; text after a closing brace is dropped.
    EXPECT_EQ(treeOf("@A {\n  x\n  y }\n  } gone\nz"), R"x(* Root Document
    * Block directive 'A'
      Arguments Text:
        * Line Run
          "  x"
          "  y }"
    * Line Run
      "z"
)x");
    // The first content line ending in a brace ends the directive and stays outside it.
    EXPECT_EQ(treeOf("@A {\nhello }"), R"x(* Root Document
    * Block directive 'A'
      Arguments Text:
    * Line Run
      "hello }"
)x");
    // Inside a fence a brace line is code and closes nothing.
    EXPECT_EQ(treeOf("@A {\n```\n}\n```\n}"), R"x(* Root Document
    * Block directive 'A'
      Arguments Text:
        * Line Run
          "```"
          "}"
          "```"
)x");
}

TEST(ParseContainerStack, NestedDirectivesCloseInnermostFirst) {
    EXPECT_EQ(treeOf("@A {\nbefore\n@B {\ninner\n}\nafter\n}\nout"), R"x(* Root Document
    * Block directive 'A'
      Arguments Text:
        * Line Run
          "before"
        * Block directive 'B'
          Arguments Text:
            * Line Run
              "inner"
        * Line Run
          "after"
    * Line Run
      "out"
)x");
    // An unclosed inner directive is closed by its outer one's brace.
    EXPECT_EQ(treeOf("@A {\n@B\n}"), R"x(* Root Document
    * Block directive 'A'
      Arguments Text:
        * Block directive 'B'
          Arguments Text:
)x");
}

TEST(ParseContainerStack, ContentIndentationComesFromTheFirstContentLine) {
    ParseContainerStack stack = stackAfter("@A {\n    x");
    EXPECT_EQ(directiveAt(stack.stack()[1]).innerIndentationColumnCount, 4);
    EXPECT_FALSE(stack.isCodeLine(TrimmedLine("    y", 0, 3, std::nullopt)));
    EXPECT_FALSE(stack.isCodeLine(TrimmedLine("       y", 0, 3, std::nullopt)));
    EXPECT_TRUE(stack.isCodeLine(TrimmedLine("        y", 0, 3, std::nullopt)));
    EXPECT_TRUE(stack.isCodeLine(TrimmedLine("    ```", 0, 3, std::nullopt)));

    EXPECT_EQ(treeOf("@A {\n\n    x\n        @B\n    @C\n    }"), R"x(* Root Document
    * Block directive 'A'
      Arguments Text:
        * Line Run
          ""
          "    x"
          "        @B"
        * Block directive 'C'
          Arguments Text:
)x");
}

TEST(ParseContainerStack, DoxygenCommandsOnlyWithTheirOption) {
    std::string text = "Sums.\n@param x The first\n  addend.\n@returns The sum.\n\nMore.";
    EXPECT_EQ(treeOf(text, true), R"x(* Root Document
    * Line Run
      "Sums."
    * Doxygen command 'param' Argument: 'x'
      "The first"
      "  addend."
    * Doxygen command 'returns'
      "The sum."
    * Line Run
      ""
      "More."
)x");
    EXPECT_EQ(treeOf(text, false), R"x(* Root Document
    * Line Run
      "Sums."
    * Block directive 'param'
      Arguments Text:
    * Line Run
      "  addend."
    * Block directive 'returns'
      Arguments Text:
    * Line Run
      ""
      "More."
)x");
    // In directive content an at-sign line is a directive, never a command.
    EXPECT_EQ(treeOf("@A {\n@note x\n}", true), R"x(* Root Document
    * Block directive 'A'
      Arguments Text:
        * Block directive 'note'
          Arguments Text:
)x");
}

TEST(ParseContainerStack, DoxygenIndentationFollowsTheCommand) {
    ParseContainerStack stack(true);
    std::string text = "  @note First\n      second";
    LazySplitLines::Iterator lines = LazySplitLines{text, std::nullopt}.makeIterator();
    stack.accept(*lines.next());
    EXPECT_EQ(stack.stack().back().indentationAdjustment(&stack.stack()[0]), 2);
    // Six columns are four beyond the command's "@", so the second line counts as code.
    TrimmedLine second = *lines.next();
    EXPECT_TRUE(stack.isCodeLine(second));
    stack.accept(second);
    EXPECT_EQ(stack.stack().back().indentationAdjustment(&stack.stack()[0]), 6);
}

// Walks the tree and parses every directive's arguments, as the conversion will.
std::size_t parseArgumentsOf(const ParseContainer& root, std::string_view text) {
    std::size_t directives = 0;
    std::vector<const ParseContainer*> pending{&root};
    while (!pending.empty()) {
        const ParseContainer* container = pending.back();
        pending.pop_back();
        if (const auto* block = std::get_if<ParseContainer::BlockDirective>(&container->value)) {
            ++directives;
            std::vector<DirectiveArgumentText::ParseError> errors;
            (void)block->directive.argumentText(text).parseNameValueArguments(errors);
        }
        if (container->children()) {
            for (const ParseContainer& child : *container->children())
                pending.push_back(&child);
        }
    }
    return directives;
}

TEST(ParseContainerStack, AnyTextParsesWithoutStopping) {
    const std::vector<std::string> pieces = {
        "@",       "A",       "(", ")",        "{",        "}",    "\"",          "\\",
        ",",       ":",       " ", "\t",       "\n",       "\r",   "```",         "    ",
        "@param ", "\\note ", "x", "\xC3\xA9", "\xCC\x81", "\xFF", "\xE2\x80\xA8"};
    std::mt19937 random(21);
    std::size_t directives = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        for (int i = std::uniform_int_distribution<int>(0, 40)(random); i > 0; --i)
            text +=
                pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(random)];
        ParseContainerStack stack =
            ParseContainerStack::parsing({text, std::nullopt}, round % 2 == 0);
        ASSERT_EQ(stack.stack().size(), 1u) << text;
        directives += parseArgumentsOf(stack.root(), text);
        (void)stack.root().debugDescription();
    }
    EXPECT_GT(directives, 100u);
}

TEST(ParseContainerStackDeathTest, GuardsItsShape) {
    EXPECT_DEATH(ParseContainerStack().push(ParseContainer::Root{}),
                 "Cannot push additional document containers onto the parse container stack");
    EXPECT_DEATH(ParseContainerStack().closeTop(), "");
    EXPECT_DEATH(
        {
            ParseContainerStack stack;
            stack.push(ParseContainer::LineRun{});
            stack.push(ParseContainer::LineRun{});
            stack.closeTop();
        },
        "Line runs cannot have children");
    EXPECT_DEATH(
        {
            ParseContainerStack stack(true);
            std::string text = "@note x";
            stack.accept(TrimmedLine(text, 0, 1, std::nullopt));
            stack.push(ParseContainer::LineRun{});
            stack.closeTop();
        },
        "Doxygen commands cannot have children");
}

TEST(ParseContainerStack, DeepNestingDoesNotOverflowTheStack) {
    testing::runWithStackSize(testing::desktopStackSize, [] {
        std::string text;
        for (int i = 0; i < 100000; ++i)
            text += "@A {\n";
        ParseContainerStack stack = ParseContainerStack::parsing({text, std::nullopt}, true);
        std::size_t depth = 0;
        const ParseContainer* container = &stack.root();
        while (container->children() && !container->children()->empty()) {
            container = &container->children()->back();
            ++depth;
        }
        // The last, empty line is a line run in the innermost directive.
        EXPECT_EQ(depth, 100001u);
        EXPECT_TRUE(std::holds_alternative<ParseContainer::LineRun>(container->value));
    });
}

} // namespace
} // namespace markdown
