#include "Markdown/Elements.hpp"
#include "Markdown/MarkupWalker.hpp"
#include "Markdown/UniqueIdentifier.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include <unistd.h>

namespace markdown {
namespace {

namespace fs = std::filesystem;

// Every range of a tree, in document order.
struct RangeCollector : MarkupWalker {
    std::vector<SourceRange> ranges;
    std::int64_t withoutRange = 0;
    void visit(const Markup& markup) override {
        if (auto range = markup.range())
            ranges.push_back(*range);
        else
            ++withoutRange;
        MarkupWalker::visit(markup);
    }
};

// A file of this process in the temporary folder, gone again at the end of the test.
struct ScratchFile {
    fs::path path;
    ScratchFile(const std::string& name, std::string_view bytes)
        : path(fs::path(::testing::TempDir()) /
               ("lumenleaf-" + std::to_string(::getpid()) + "-" + name)) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    ~ScratchFile() {
        std::error_code ignored;
        fs::remove(path, ignored);
    }
    URL url() const { return URL::fileURL(path); }
};

TEST(DocumentParsing, EveryParseMakesANewRoot) {
    const std::uint64_t before = current_unique_id();
    const Document first = Document::parsing("# One\n");
    const Document second = Document::parsing("# One\n");
    EXPECT_EQ(first.raw().metadata.id, (MarkupIdentifier{before + 1, 0}));
    EXPECT_EQ(second.raw().metadata.id, (MarkupIdentifier{before + 2, 0}));
    EXPECT_TRUE(first.hasSameStructure(second));
}

TEST(DocumentParsing, HandsOutTheBlocksAsElements) {
    const Document document =
        Document::parsing("# Title\n\ntext\n\n> quote\n\n- item\n\n| a |\n|---|\n\n---\n");
    std::vector<RawMarkupKind> kinds;
    for (const Markup& child : document.children())
        kinds.push_back(child.kind());
    using K = RawMarkupKind;
    EXPECT_EQ(kinds, (std::vector{K::heading, K::paragraph, K::blockQuote, K::unorderedList,
                                  K::table, K::thematicBreak}));
    EXPECT_TRUE(document.childAt(0)->is<Heading>());
    EXPECT_EQ(document.childAt(4)->as<Table>()->range(), SourceRange({9, 1}, {10, 6}));
    EXPECT_EQ(document.range(), SourceRange({1, 1}, {12, 4}));
    EXPECT_TRUE(Document::parsing("").isEmpty());
}

TEST(DocumentParsing, GivesEveryLocationTheSource) {
    const char* text = "# a *b*\n\n> c `d` [e](f)\n\n| g |\n|---|\n| h |\n";
    const URL note = URL::fileURL(std::string("/notes/n.md"));

    RangeCollector withSource;
    withSource.visit(Document::parsing(text, note));
    EXPECT_EQ(withSource.ranges.size(), 20u);
    EXPECT_EQ(withSource.withoutRange, 0);
    for (const auto& range : withSource.ranges) {
        EXPECT_EQ(range.start().source, note);
        EXPECT_EQ(range.end().source, note);
    }
}

TEST(DocumentParsing, ReadsAFileWholeWithTheFileAsSource) {
    const ScratchFile scratch("note.md", "\xEF\xBB\xBF# T\xC3\xA9\n\ntext\n");
    const URL file = scratch.url();
    const Document document = Document::parsing(file);
    ASSERT_EQ(document.childCount(), 2);
    // The byte-order mark is not part of the text.
    EXPECT_EQ(document.childAt(0)->range(), SourceRange({1, 1, file}, {1, 6, file}));
    EXPECT_EQ(document.childAt(1)->range(), SourceRange({3, 1, file}, {3, 5, file}));
    EXPECT_TRUE(document.hasSameStructure(Document::parsing("# T\xC3\xA9\n\ntext\n")));
}

TEST(DocumentParsing, ThrowsTheReadErrorOfAFile) {
    const ScratchFile latin1("latin1.md", "caf\xE9\n");
    const struct {
        const char* what;
        URL file;
        std::errc error;
    } cases[] = {
        {"missing", URL::fileURL(latin1.path.parent_path() / "lumenleaf-missing.md"),
         std::errc::no_such_file_or_directory},
        {"a folder", URL::fileURL(latin1.path.parent_path()), std::errc::is_a_directory},
        {"not UTF-8", latin1.url(), std::errc::illegal_byte_sequence},
    };
    for (const auto& c : cases) {
        try {
            (void)Document::parsing(c.file);
            ADD_FAILURE() << c.what << ": no error";
        } catch (const fs::filesystem_error& error) {
            EXPECT_TRUE(error.code() == c.error) << c.what << ": " << error.code().message();
            EXPECT_EQ(error.path1(), c.file.filesystemPath()) << c.what;
        }
    }
}

} // namespace
} // namespace markdown
