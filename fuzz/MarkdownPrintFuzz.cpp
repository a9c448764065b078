// The Markdown printer from any text read as UTF-8 (ill-formed sequences replaced), parsed as notes
// are and on the block-directive road: what is printed parses back to a tree of the same
// structure, and printing that tree gives the same text. With a preferred line limit the same
// holds once soft breaks are read as spaces and adjacent texts are merged on both sides, since
// wrapping moves the line ends.
#include "Markdown/elements/Elements.hpp"
#include "Markdown/format/MarkupFormatter.hpp"
#include "Markdown/support/UnicodeText.hpp"
#include "fuzz/FuzzCheck.hpp"
#include "notes/files/LenientUTF8.hpp"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace markdown;

const ParseOptions roadOptions = {ParseOptions::parseBlockDirectives,
                                  ParseOptions::parseMinimalDoxygen};

MarkupFormatter::Options wrappedAt(std::int64_t maxLength) {
    MarkupFormatter::Options options;
    options.preferredLineLimit = MarkupFormatter::Options::PreferredLineLimit{
        MarkupFormatter::Options::LineSplittingElement::softBreak, maxLength};
    return options;
}

// A tree in walk order: each node opened with its data and closed after its children; with
// texts merged, a run of adjacent texts and soft breaks is one piece of text instead.
struct Step {
    enum class Kind { open, close, text } kind;
    const RawMarkupData* data = nullptr;
    std::string text;
};

std::vector<Step> walk(const RawMarkup& root, bool mergeTexts) {
    std::vector<Step> steps;
    std::string run;
    bool inRun = false;
    // Null stands for the close of the node opened last.
    std::vector<const RawMarkup*> pending{&root};
    while (!pending.empty()) {
        const RawMarkup* node = pending.back();
        pending.pop_back();
        const bool isText = node && (node->kind() == RawMarkupKind::text ||
                                     node->kind() == RawMarkupKind::softBreak);
        if (mergeTexts && isText) {
            const auto* text = node->data().getIf<RawMarkupData::Text>();
            run += text ? text->string : " ";
            inRun = true;
            continue;
        }
        if (inRun) {
            steps.push_back({Step::Kind::text, nullptr, std::move(run)});
            run.clear();
            inRun = false;
        }
        if (!node) {
            steps.push_back({Step::Kind::close, nullptr, {}});
            continue;
        }
        steps.push_back({Step::Kind::open, &node->data(), {}});
        pending.push_back(nullptr);
        for (auto child = node->children().rbegin(); child != node->children().rend(); ++child)
            pending.push_back(child->get());
    }
    return steps;
}

// A directive's name location and its arguments' places move when it is printed elsewhere than
// it was written; what it says is its name and its arguments.
bool sameDirective(const RawMarkupData::BlockDirective& a, const RawMarkupData::BlockDirective& b) {
    if (!canonicallyEqual(a.name, b.name))
        return false;
    const std::vector<DirectiveArgument> left = a.arguments.parseNameValueArguments();
    const std::vector<DirectiveArgument> right = b.arguments.parseNameValueArguments();
    if (left.size() != right.size())
        return false;
    for (std::size_t i = 0; i < left.size(); ++i)
        if (!canonicallyEqual(left[i].name, right[i].name) ||
            !canonicallyEqual(left[i].value, right[i].value) ||
            left[i].hasTrailingComma != right[i].hasTrailingComma)
            return false;
    return true;
}

bool sameData(const RawMarkupData& a, const RawMarkupData& b) {
    const auto* left = a.getIf<RawMarkupData::BlockDirective>();
    const auto* right = b.getIf<RawMarkupData::BlockDirective>();
    return left && right ? sameDirective(*left, *right) : a == b;
}

// As `hasSameStructure`, ranges and directive places aside.
bool sameStructure(const Markup& a, const Markup& b, bool mergeTexts) {
    const std::vector<Step> left = walk(*a.raw().markup, mergeTexts);
    const std::vector<Step> right = walk(*b.raw().markup, mergeTexts);
    if (left.size() != right.size())
        return false;
    for (std::size_t i = 0; i < left.size(); ++i) {
        if (left[i].kind != right[i].kind)
            return false;
        if (left[i].kind == Step::Kind::text && !canonicallyEqual(left[i].text, right[i].text))
            return false;
        if (left[i].kind == Step::Kind::open && !sameData(*left[i].data, *right[i].data))
            return false;
    }
    return true;
}

void checkRoundTrip(const std::string& text, ParseOptions parseOptions) {
    const Document parsed = Document::parsing(text, std::nullopt, parseOptions);

    const std::string printed = format(parsed, {});
    const Document reparsed = Document::parsing(printed, std::nullopt, parseOptions);
    fuzz::check(sameStructure(parsed, reparsed, false), "the printed text reads back as the tree");
    fuzz::check(format(reparsed, {}) == printed, "printing the tree read back gives the same text");

    const MarkupFormatter::Options wrapped = wrappedAt(40);
    const std::string printedWrapped = format(parsed, wrapped);
    const Document rewrapped = Document::parsing(printedWrapped, std::nullopt, parseOptions);
    fuzz::check(sameStructure(parsed, rewrapped, true),
                "the text wrapped at 40 reads back as the tree, soft breaks read as spaces");
    fuzz::check(format(rewrapped, wrapped) == printedWrapped,
                "wrapping the tree read back at 40 gives the same text");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text =
        notes::replacingInvalidUTF8({reinterpret_cast<const char*>(data), size});
    checkRoundTrip(text, {});
    checkRoundTrip(text, roadOptions);
    return 0;
}
