#include "Markdown/cmark/CommonMarkConverter.hpp"
#include "Markdown/tree/LazySplitLines.hpp"

#include "tests/Markdown/ElementBuilders.hpp"
#include "tests/Markdown/RawOutline.hpp"
#include "tests/Markdown/StackThread.hpp"

#include <gtest/gtest.h>
#include <tuple>

#include "Markdown/tree/UniqueIdentifier.hpp"
#include "tests/notes/ScratchFolder.hpp"
#include <filesystem>
#include <random>

namespace markdown {
namespace {
using namespace markdown::testing;

const ParseOptions directives = ParseOptions::parseBlockDirectives;
const ParseOptions doxygen = {ParseOptions::parseBlockDirectives,
                              ParseOptions::parseMinimalDoxygen};
const URL& file = noteFile;

RawMarkupPtr parsedRaw(std::string_view text, ParseOptions options = directives) {
    return Document::parsing(text, std::nullopt, options).raw().markup;
}

TEST(BlockDirectiveRoad, ConvertsDirectivesCommandsAndTextRunsAndOnlyTheFormerCarryTheSource) {
    // Every line break counts as a line feed.
    const char* text = "# T\n\ntext\r\nmore\rlast";
    EXPECT_EQ(outline(parsedRaw(text)),
              outline(parseString("# T\n\ntext\nmore\nlast").raw().markup));

    // Content indented four columns keeps its columns.
    const RawMarkupPtr boxed =
        parsedRaw("# Title\n\n@Box {\n    Indented *text*\n    more\n}\nafter");
    EXPECT_EQ(outlineLine(boxed), "document 1:1-7:6");
    const RawMarkupPtr& box = boxed->child(1);
    EXPECT_EQ(outlineLine(box),
              "blockDirective(name: \"Box\", nameLocation: 3:2, arguments: []) 3:1-6:2");
    EXPECT_EQ(outlineLine(box->child(0)), "paragraph 4:5-5:9");
    EXPECT_EQ(outlineLine(box->child(0)->child(1)), "emphasis 4:14-4:20");
    EXPECT_EQ(outlineLine(box->child(0)->child(3)), "text(\"more\") 5:5-5:9");
    EXPECT_EQ(outlineLine(boxed->child(2)), "paragraph 7:1-7:6");

    // Doxygen commands hold their description, continuation lines included.
    const RawMarkupPtr sums =
        parsedRaw("Sums.\n@param x The first\n  addend.\n@returns The sum.\n\nMore.", doxygen);
    EXPECT_EQ(outlineLine(sums->child(1)), "doxygenParam(name: \"x\") 2:1-3:10");
    EXPECT_EQ(outlineLine(sums->child(1)->child(0)), "paragraph 2:10-3:10");
    EXPECT_EQ(outlineLine(sums->child(1)->child(0)->child(2)), "text(\"addend.\") 3:3-3:10");
    EXPECT_EQ(outlineLine(sums->child(2)->child(0)), "paragraph 4:10-4:18");
    EXPECT_EQ(outlineLine(sums->child(3)), "paragraph 6:1-6:6");

    // A content tab is stripped as the four columns it stands for, so two tabs make code.
    auto codeIndentedBy = [](const std::string& indent) {
        const std::string text = "@Name {\n" + indent + "x\n\n" + indent + indent + "code\n}\n";
        return outline(parsedRaw(text)->child(0)->child(1));
    };
    EXPECT_EQ(codeIndentedBy("\t"), "codeBlock(\"code\\n\", language: nil) 4:3-4:7\n");
    EXPECT_EQ(codeIndentedBy("    "), "codeBlock(\"code\\n\", language: nil) 4:9-4:13\n");
    EXPECT_EQ(codeIndentedBy("  \t"), "codeBlock(\"code\\n\", language: nil) 4:7-4:11\n");
    // A tab left after the content indentation covers the columns it covers as written: beside
    // content at two columns, one cut by it adds two, so "y" is a paragraph; ranges point at
    // the text as written, code at the blank where its content starts.
    const std::pair<const char*, const char*> tabbed[] = {
        {"\t", "paragraph 4:2-4:3\n  text(\"y\") 4:2-4:3\n"},
        {"  \t", "paragraph 4:4-4:5\n  text(\"y\") 4:4-4:5\n"},
        {" \t", "paragraph 4:3-4:4\n  text(\"y\") 4:3-4:4\n"},
        {"\t\t", "codeBlock(\"  y\\n\", language: nil) 4:2-4:4\n"},
    };
    for (const auto& [blanks, expected] : tabbed)
        EXPECT_EQ(
            outline(
                parsedRaw(std::string("@A {\n  x\n\n") + blanks + "y\n}\n")->child(0)->child(1)),
            expected)
            << blanks;

    // Widths on the opening line count characters where columns count bytes, so after an
    // accented name the content and the end stand one column early (bytes: 1:10, 1:17).
    const RawMarkupPtr cafe = parsedRaw("@Caf\xC3\xA9 { hello }")->child(0);
    EXPECT_EQ(outlineLine(cafe),
              "blockDirective(name: \"Caf\xC3\xA9\", nameLocation: 1:2, arguments: []) 1:1-1:16");
    EXPECT_EQ(outlineLine(cafe->child(0)), "paragraph 1:9-1:14");

    // Only directives and commands carry the source.
    const Document document =
        Document::parsing("@Box(a: 1,\n  b: 2) {\n  text\n}\n@note N.", file, doxygen);
    const BlockDirective sourced = *document.childAt(0)->as<BlockDirective>();
    EXPECT_EQ(sourced.range(), SourceRange({1, 1, file}, {4, 2, file}));
    EXPECT_EQ(sourced.nameLocation(), SourceLocation(1, 2, file));
    EXPECT_EQ(sourced.childAt(0)->range(), SourceRange({3, 3}, {3, 7}));
    EXPECT_EQ(document.childAt(1)->range(), SourceRange({5, 1, file}, {5, 9, file}));
    EXPECT_EQ(document.childAt(1)->childAt(0)->range(), SourceRange({5, 7}, {5, 9}));
    // On equal ends the later range wins: the description, which has no source.
    EXPECT_EQ(document.range(), SourceRange({1, 1, file}, {5, 9}));

    // Argument ranges stand in the whole text.
    std::vector<DirectiveArgument> arguments = sourced.argumentText().parseNameValueArguments();
    ASSERT_EQ(arguments.size(), 2u);
    EXPECT_EQ(arguments[0].valueRange, SourceRange({1, 9, file}, {1, 10, file}));
    EXPECT_EQ(arguments[1].nameRange, SourceRange({2, 3, file}, {2, 4, file}));
}

TEST(BlockDirectiveRoad, DeepNestingParsesAndConvertsOnADesktopStack) {
    runWithStackSize(desktopStackSize, [] {
        // Left open, every directive is closed at the end of the text.
        const int depth = 100000;
        const std::string note = repeated("@A {\n", depth) + repeated(">", 20000) + " x\n";
        const Document parsed = Document::parsing(note, std::nullopt, doxygen);
        EXPECT_EQ(parsed.range(), SourceRange({1, 1}, {depth + 1, 20003}));
        using enum RawMarkupKind;
        EXPECT_EQ(
            kindsDownTheFirstChildren(parsed.raw().markup),
            (KindCounts{{blockDirective, depth}, {blockQuote, 20000}, {paragraph, 1}, {text, 1}}));
        EXPECT_EQ(parsed.childThrough(std::vector<std::int64_t>(depth + 20002, 0))->range(),
                  SourceRange({depth + 1, 20002}, {depth + 1, 20003}));
    });
}

TEST(BlockDirectiveRoad, EveryRangeLiesInTheText) {
    const std::vector<std::string> pieces = {
        "@A", "(",  ")",  "{",  "}",       "\"",        "\\",       ",",    ":",           " ",
        "\t", "\n", "\n", "\r", ">",       "- ",        "1. ",      "*",    "`",           "```",
        "| ", "|-", "x",  "#",  "\\note ", "@param x ", "\xC3\xA9", "    ", "\xE2\x80\xA8"};
    std::mt19937 random(113);
    std::uniform_int_distribution<std::size_t> piece(0, pieces.size() - 1);
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        for (int i = std::uniform_int_distribution<int>(0, 40)(random); i > 0; --i)
            text += pieces[piece(random)];
        const Document document =
            Document::parsing(text, std::nullopt, round % 2 ? doxygen : directives);
        const auto lines = std::ssize(LazySplitLines{text, std::nullopt}.makeIterator().rawLines);
        for (const auto& range : rangesIn(document)) {
            if (!range)
                continue;
            ASSERT_GE(range->lowerBound().line, 1) << text;
            ASSERT_GE(range->lowerBound().column, 1) << text;
            ASSERT_LE(range->upperBound().line, lines) << text;
            ASSERT_LE(range->upperBound(), document.range()->upperBound()) << text;
        }
    }
}

TEST(DocumentParsing, MakesANewRootWithTheSourceEverywhereAndReadsFilesOrThrowsTheirError) {
    const std::uint64_t before = current_unique_id();
    const char* text = "# a *b*\n\n> c `d` [e](f)\n\n| g |\n|---|\n| h |\n";
    const Document first = Document::parsing(text, file);
    const Document second = Document::parsing(text);
    EXPECT_EQ(first.raw().metadata.id, (MarkupIdentifier{before + 1, 0}));
    EXPECT_EQ(second.raw().metadata.id, (MarkupIdentifier{before + 2, 0}));
    EXPECT_TRUE(first.hasSameStructure(second));
    EXPECT_EQ(second.childAt(2)->as<Table>()->range(), SourceRange({5, 1}, {7, 6}));
    EXPECT_EQ(second.range(), SourceRange({1, 1}, {7, 6}));
    EXPECT_TRUE(Document::parsing("").isEmpty());

    const Ranges ranges = rangesIn(first);
    EXPECT_EQ(ranges.size(), 20u);
    for (const auto& range : ranges)
        EXPECT_TRUE(range && range->start().source == file && range->end().source == file);

    const notes::ScratchFolder folder;
    notes::ScratchFolder::write(folder / "note.md", "\xEF\xBB\xBF# T\xC3\xA9\n\ntext\n");
    notes::ScratchFolder::write(folder / "latin1.md", "caf\xE9\n");
    const URL saved = URL::fileURL(folder / "note.md");
    const Document document = Document::parsing(saved);
    ASSERT_EQ(document.childCount(), 2);
    // The byte-order mark is not part of the text.
    EXPECT_EQ(document.childAt(0)->range(), SourceRange({1, 1, saved}, {1, 6, saved}));
    EXPECT_EQ(document.childAt(1)->range(), SourceRange({3, 1, saved}, {3, 5, saved}));
    EXPECT_TRUE(document.hasSameStructure(Document::parsing("# T\xC3\xA9\n\ntext\n")));

    const std::tuple<const char*, URL, std::errc> cases[] = {
        {"missing", URL::fileURL(folder / "missing.md"), std::errc::no_such_file_or_directory},
        {"not UTF-8", URL::fileURL(folder / "latin1.md"), std::errc::illegal_byte_sequence},
    };
    for (const auto& [what, note, code] : cases) {
        try {
            (void)Document::parsing(note);
            ADD_FAILURE() << what << ": no error";
        } catch (const std::filesystem::filesystem_error& error) {
            EXPECT_TRUE(error.code() == code) << what << ": " << error.code().message();
            EXPECT_EQ(error.path1(), note.filesystemPath()) << what;
        }
    }
}

} // namespace
} // namespace markdown
