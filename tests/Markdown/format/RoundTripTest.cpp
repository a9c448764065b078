#include "Markdown/elements/Elements.hpp"
#include "Markdown/elements/MarkupRewriter.hpp"
#include "Markdown/format/MarkupFormatter.hpp"
#include "Markdown/support/CharacterBreaks.hpp"
#include "tests/Markdown/RawOutline.hpp"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sstream>

namespace markdown {
namespace {
using namespace markdown::testing;
using Options = MarkupFormatter::Options;

struct Example {
    std::string name;
    std::string markdown;
};

std::string readFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream contents;
    contents << file.rdbuf();
    return contents.str();
}

// The examples of a spec file: the Markdown between an opening "```` example" line and the "."
// line, "→" standing for a tab.
std::vector<Example> specExamples(const std::string& fileName) {
    const std::string fence(32, '`');
    std::istringstream lines(
        readFile(std::filesystem::path(LUMENLEAF_CMARK_GFM_TEST_DIR) / fileName));
    std::vector<Example> examples;
    std::string line;
    std::optional<std::string> markdown;
    bool inMarkdown = false;
    while (std::getline(lines, line)) {
        if (line.starts_with(fence + " example")) {
            markdown.emplace();
            inMarkdown = true;
        } else if (markdown && inMarkdown && line == ".") {
            inMarkdown = false;
        } else if (markdown && line == fence) {
            examples.push_back({fileName + " #" + std::to_string(examples.size() + 1), *markdown});
            markdown.reset();
        } else if (markdown && inMarkdown) {
            for (std::size_t tab; (tab = line.find("\u2192")) != std::string::npos;)
                line.replace(tab, 3, "\t");
            *markdown += line + "\n";
        }
    }
    return examples;
}

std::vector<Example> allExamples() {
    std::vector<Example> examples;
    for (const char* file : {"spec.txt", "extensions.txt", "regression.txt"}) {
        auto some = specExamples(file);
        examples.insert(examples.end(), some.begin(), some.end());
    }
    for (const auto& entry : std::filesystem::recursive_directory_iterator(LUMENLEAF_EXAMPLES_DIR))
        if (entry.path().extension() == ".md")
            examples.push_back({entry.path().filename().string(), readFile(entry.path())});
    return examples;
}

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

Outcome roundTrip(const std::string& markdown, const Options& options, bool unwrap) {
    const Document source = Document::parsing(markdown);
    Outcome outcome;
    outcome.printed = format(source, options);
    const Document reparsed = Document::parsing(outcome.printed);
    outcome.same = unwrap ? unwrapped(reparsed).hasSameStructure(unwrapped(source))
                          : reparsed.hasSameStructure(source);
    outcome.fixedPoint = format(reparsed, options) == outcome.printed;
    return outcome;
}

// What CommonMark cannot say twice, with the reason.
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

TEST(MarkupFormatterRoundTrip, EverySpecExampleAndNoteReadsBackAsTheSameTree) {
    checkEveryExample(Options{}, false);
}

} // namespace
} // namespace markdown
