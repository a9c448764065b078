// A note printed back as Markdown shows the same page in the reader as the note itself.
#include "Markdown/elements/Elements.hpp"
#include "Markdown/format/MarkupFormatter.hpp"
#include "notes/render/Frontmatter.hpp"
#include "notes/render/MarkdownRenderer.hpp"

#include "tests/Markdown/ParserExamples.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace notes {
namespace {

using markdown::testing::Example;

// Every target names a note of the vault, so that the page shows each link's target.
struct EveryTarget : LinkResolving {
    std::optional<markdown::URL> resolve(std::string_view target,
                                         const std::optional<markdown::URL>&) const override {
        const std::string name(target);
        return markdown::URL::fileURL("/vault/" +
                                      (name.find('.') == std::string::npos ? name + ".md" : name));
    }
};

void replaceAll(std::string& text, std::string_view from, std::string_view to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

// The page of a note without the source lines of its blocks, its typographic characters read
// as what they are typed as: a tree parsed with smart punctuation cannot tell ’ from ' typed.
std::string page(std::string_view note) {
    static const EveryTarget targets;
    std::string html =
        MarkdownRenderer{{}, &targets, markdown::URL::fileURL(std::string("/vault/Note.md"))}
            .render(note)
            .html;
    std::string out;
    out.reserve(html.size());
    constexpr std::string_view attribute = " data-line=\"";
    std::size_t from = 0;
    for (std::size_t at = html.find(attribute); at != std::string::npos;
         at = html.find(attribute, from)) {
        out.append(html, from, at - from);
        from = html.find('"', at + attribute.size()) + 1;
    }
    out.append(html, from);
    for (const auto& [typographic, typed] : {std::pair{"\u2019", "'"},
                                             {"\u2018", "'"},
                                             {"\u201C", "\""},
                                             {"\u201D", "\""},
                                             {"\u2014", "---"},
                                             {"\u2013", "--"},
                                             {"\u2026", "..."},
                                             {"%E2%80%99", "'"},
                                             {"%E2%80%98", "'"},
                                             {"%E2%80%9C", "\""},
                                             {"%E2%80%9D", "\""},
                                             {"%E2%80%94", "---"},
                                             {"%E2%80%93", "--"},
                                             {"%E2%80%A6", "..."},
                                             {"%27", "'"},
                                             {"%22", "\""},
                                             {"&quot;", "\""}})
        replaceAll(out, typographic, typed);
    return out;
}

// The note with its body parsed as the reader parses it and printed back, its front-matter
// lines as they were.
std::string printed(std::string note) {
    replaceAll(note, "\r\n", "\n");
    if (note.starts_with("\uFEFF"))
        note.erase(0, 3);
    const Frontmatter::Split split = Frontmatter::split(note);
    std::size_t bodyFrom = 0;
    // The block and its delimiters are the body's first lines, empty there.
    if (split.block)
        for (std::size_t lines = split.block->empty()
                                     ? 2
                                     : 3 + static_cast<std::size_t>(std::count(
                                               split.block->begin(), split.block->end(), '\n'));
             lines > 0; --lines)
            bodyFrom = std::min(note.size(), note.find('\n', bodyFrom) + 1);
    const markdown::Document body = markdown::Document::parsing(split.body);
    return note.substr(0, bodyFrom) + markdown::format(body, {});
}

// What the tree of a note parsed as the reader parses it no longer says, each with the reason:
// the page of the printed tree cannot show it. Matched against the end of a note's name.
const std::pair<std::string_view, std::string_view> keptBack[] = {
    {"extensions.txt #19", "the parse curls quotes around a bare address, and a curled quote "
                           "does not end an address as a straight one does"},
    {"extensions.txt #25", "CommonMark reads the footnote definition as a link definition"},
    {"regression.txt #21", "CommonMark reads the footnote definitions as link definitions"},
    {"/nodejs/api/webcrypto.md", "the parse resolves a reference link in a footnote definition, "
                                 "which the reader parses without the note's link definitions"},
    {"/nodejs/changelogs/CHANGELOG_V10.md", "escaped brackets: [[noreturn]] in text"},
    {"/nodejs/changelogs/CHANGELOG_V11.md", "escaped brackets: [[noreturn]] in text"},
    {"/nodejs/changelogs/CHANGELOG_V12.md", "escaped brackets: [[noreturn]] in text"},
    {"/nodejs/changelogs/CHANGELOG_V14.md", "escaped brackets: [[noreturn]] in text"},
    {"/nodejs/changelogs/CHANGELOG_V20.md", "escaped brackets: [[nodiscard]] in text"},
};

bool isKeptBack(std::string_view name) {
    return std::any_of(std::begin(keptBack), std::end(keptBack),
                       [&](const auto& kept) { return name.ends_with(kept.first); });
}

// The notes whose printed text shows another page, each with its first lines that differ.
// A kept-back note that shows the same page counts as differing only where `strict`: the files
// installed vary from machine to machine, the parser's examples do not.
std::vector<std::string> differingPages(const std::vector<Example>& notes, bool strict) {
    std::vector<std::string> differing;
    for (const Example& note : notes) {
        const std::string source = page(note.markdown);
        const std::string again = page(printed(note.markdown));
        if ((source == again) != isKeptBack(note.name))
            continue;
        if (source == again) {
            if (strict)
                differing.push_back(note.name + " now shows the same page printed");
            continue;
        }
        std::size_t at = 0;
        while (at < source.size() && at < again.size() && source[at] == again[at])
            ++at;
        const std::size_t from = at < 80 ? 0 : at - 80;
        differing.push_back(note.name + "\n--- page\n" + source.substr(from, 240) +
                            "\n--- page of the printed note\n" + again.substr(from, 240));
    }
    return differing;
}

void expectSamePages(const std::vector<Example>& notes, bool strict) {
    const std::vector<std::string> differing = differingPages(notes, strict);
    for (const std::string& difference : differing)
        ADD_FAILURE() << difference;
    std::size_t kept = 0;
    for (const Example& note : notes)
        kept += isKeptBack(note.name) ? 1 : 0;
    std::cout << notes.size() - differing.size() - kept << " of " << notes.size()
              << " notes show the same page printed, " << kept << " kept back\n";
}

TEST(PrintedPage, ParserExamplesSampleAndVaultNotesShowTheSamePagePrinted) {
    std::vector<Example> notes = markdown::testing::allExamples();
    const std::vector<Example> vault =
        markdown::testing::markdownFiles(LUMENLEAF_PRINTED_NOTES_DIR);
    EXPECT_GE(vault.size(), 10U);
    notes.insert(notes.end(), vault.begin(), vault.end());
    expectSamePages(notes, true);
}

TEST(PrintedPage, InstalledDocumentationShowsTheSamePagePrinted) {
    const std::vector<Example> notes = markdown::testing::markdownFiles("/usr/share/doc");
    if (notes.empty())
        GTEST_SKIP() << "no Markdown files are installed under /usr/share/doc";
    expectSamePages(notes, false);
}

} // namespace
} // namespace notes
