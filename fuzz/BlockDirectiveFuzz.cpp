// The block-directive road, block directives and Doxygen commands on, from any bytes read as UTF-8
// (ill-formed sequences replaced): never a crash, the arguments of every directive parse, and a
// text that holds nothing the road reads apart from CommonMark (no "@", no "\", no line break but
// LF, CR LF and CR) gives the CommonMark road's blocks with their ranges, line breaks read as LF.
// Blocks from runs of plain lines carry no source, so the road is given one and CommonMark none.
#include "Markdown/elements/Elements.hpp"
#include "fuzz/FuzzCheck.hpp"
#include "notes/files/LenientUTF8.hpp"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using namespace markdown;

const ParseOptions roadOptions = {ParseOptions::parseBlockDirectives,
                                  ParseOptions::parseMinimalDoxygen};

// Line breaks beyond LF and CR that only the road's line splitter knows: VT, FF, NEL, LS, PS.
bool hasOtherLineBreak(std::string_view text) {
    for (std::string_view brk : {"\v", "\f", "\xC2\x85", "\xE2\x80\xA8", "\xE2\x80\xA9"})
        if (text.find(brk) != std::string_view::npos)
            return true;
    return false;
}

std::string withLineFeeds(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r')
            out += text[i];
        else if (i + 1 == text.size() || text[i + 1] != '\n')
            out += '\n';
    }
    return out;
}

void parseEveryArgumentList(const Document& document) {
    std::vector<Markup> pending{document};
    while (!pending.empty()) {
        Markup markup = std::move(pending.back());
        pending.pop_back();
        if (std::optional<BlockDirective> directive = markup.as<BlockDirective>()) {
            std::vector<DirectiveArgumentText::ParseError> errors;
            (void)directive->argumentText().parseNameValueArguments(errors);
        }
        for (const Markup& child : markup.children())
            pending.push_back(child);
    }
}

bool sameTrees(const RawMarkup& a, const RawMarkup& b) {
    std::vector<std::pair<const RawMarkup*, const RawMarkup*>> pending{{&a, &b}};
    while (!pending.empty()) {
        auto [left, right] = pending.back();
        pending.pop_back();
        if (!(left->data() == right->data()) || left->parsedRange() != right->parsedRange() ||
            left->childCount() != right->childCount())
            return false;
        for (std::int64_t i = 0; i < left->childCount(); ++i)
            pending.emplace_back(left->child(i).get(), right->child(i).get());
    }
    return true;
}

bool sameChildren(const Document& a, const Document& b) {
    if (a.childCount() != b.childCount())
        return false;
    for (std::int64_t i = 0; i < a.childCount(); ++i)
        if (!sameTrees(*a.raw().markup->child(i), *b.raw().markup->child(i)))
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const URL source = URL::fileURL(std::string("/notes/a.md"));
    const std::string text =
        notes::replacingInvalidUTF8({reinterpret_cast<const char*>(data), size});
    const Document road = Document::parsing(text, source, roadOptions);
    parseEveryArgumentList(road);
    if (text.find_first_of("@\\") == std::string::npos && !hasOtherLineBreak(text))
        fuzz::check(sameChildren(road, Document::parsing(withLineFeeds(text))),
                    "plain text gives the CommonMark road's blocks and ranges");
    return 0;
}
