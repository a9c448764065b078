#include "Markdown/format/InlineReading.hpp"

#include "Markdown/elements/Document.hpp"
#include "Markdown/format/MarkdownCharacters.hpp"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace markdown {

bool standsClear(std::string_view text, const DelimiterRunPlace& run) {
    const std::size_t end = run.offset + run.length;
    const char before = run.offset == 0 ? '\n' : text[run.offset - 1];
    const char after = end >= text.size() ? '\n' : text[end];
    const char outside = run.opening ? before : after;
    const char inside = run.opening ? after : before;
    // Runs meet other runs through these, escapes change what flanks, and beyond ASCII a
    // character may be space or punctuation.
    auto joins = [](char c) {
        return c == '*' || c == '_' || c == '~' || c == '\\' ||
               static_cast<unsigned char>(c) >= 0x80;
    };
    if (joins(outside) || joins(inside))
        return false;
    if (outside == ' ' || outside == '\n')
        return inside > ' ' && inside != 0x7f;
    return isAsciiPunctuation(outside) && isAsciiAlphanumeric(inside);
}

namespace {

// What the parser takes for space beside a delimiter run.
bool flanksAsSpace(UChar32 c) {
    return c == '\t' || c == '\n' || c == '\f' || c == '\r' || c == ' ' ||
           u_charType(c) == U_SPACE_SEPARATOR;
}

} // namespace

std::vector<std::size_t> charactersToReference(const InlineText& text,
                                               std::span<const DelimiterRunPlace> runs) {
    const std::string_view printed = text.text();
    std::vector<std::size_t> offsets;
    auto decode = [&](std::size_t at) {
        UChar32 c = 0;
        U8_NEXT(printed.data(), at, printed.size(), c);
        return c;
    };
    for (const DelimiterRunPlace& run : runs) {
        const std::size_t end = run.offset + run.length;
        // The first character on each side that is no tilde, as the parser finds it.
        std::optional<std::size_t> before;
        if (run.offset > 0) {
            std::size_t at = run.offset - 1;
            while (at > 0 && (U8_IS_TRAIL(printed[at]) || printed[at] == '~'))
                --at;
            if (printed[at] != '~')
                before = at;
        }
        std::optional<std::size_t> after;
        if (const std::size_t at = printed.find_first_not_of('~', end); at != printed.npos)
            after = at;
        const std::optional<std::size_t> outside = run.opening ? before : after;
        const std::optional<std::size_t> inside = run.opening ? after : before;
        if (outside && text.isLiteralAt(*outside)) {
            const UChar32 c = decode(*outside);
            // The parser decodes references to these two to no character.
            if (!flanksAsSpace(c) && c != 0xFFFE && c != 0xFFFF &&
                !(U_GET_GC_MASK(c) & U_GC_P_MASK) &&
                !(c < 0x80 && isAsciiPunctuation(static_cast<char>(c))))
                offsets.push_back(*outside);
        }
        if (inside && (printed[*inside] == ' ' || text.isLiteralAt(*inside)) &&
            flanksAsSpace(decode(*inside)))
            offsets.push_back(*inside);
    }
    // A bare backslash would escape the reference's ampersand.
    for (std::size_t i = 0, count = offsets.size(); i < count; ++i)
        if (const std::size_t at = offsets[i];
            at > 0 && printed[at - 1] == '\\' && text.isLiteralAt(at - 1))
            offsets.push_back(at - 1);
    std::sort(offsets.begin(), offsets.end());
    offsets.erase(std::unique(offsets.begin(), offsets.end()), offsets.end());
    return offsets;
}

namespace {

// A tree's inline content in walk order: each node opened with its data and closed after its
// children, adjacent texts merged into one piece (a tree rewritten without soft breaks keeps
// them apart), soft breaks read as spaces among them where asked.
struct InlineSteps {
    enum class Kind { open, close, text };
    std::vector<std::pair<Kind, const RawMarkupData*>> steps;
    std::vector<std::string> texts;

    InlineSteps(std::span<const RawMarkupPtr> children, bool softBreaksAsSpaces) {
        std::vector<const RawMarkup*> pending; // null: the close of the node opened last
        for (auto child = children.rbegin(); child != children.rend(); ++child)
            pending.push_back(child->get());
        bool inText = false;
        while (!pending.empty()) {
            const RawMarkup* node = pending.back();
            pending.pop_back();
            const auto* text = node ? node->data().getIf<RawMarkupKind::text>() : nullptr;
            if (text || (softBreaksAsSpaces && node && node->kind() == RawMarkupKind::softBreak)) {
                if (!inText) {
                    steps.emplace_back(Kind::text, nullptr);
                    texts.emplace_back();
                }
                texts.back() += text ? std::string_view(text->string) : " ";
                inText = true;
                continue;
            }
            inText = false;
            steps.emplace_back(node ? Kind::open : Kind::close, node ? &node->data() : nullptr);
            if (!node)
                continue;
            pending.push_back(nullptr);
            for (auto child = node->children().rbegin(); child != node->children().rend(); ++child)
                pending.push_back(child->get());
        }
    }

    /// How many steps agree with `other`'s from the start.
    [[nodiscard]] std::size_t agreeing(const InlineSteps& other) const {
        std::size_t text = 0;
        for (std::size_t i = 0; i < steps.size() && i < other.steps.size(); ++i) {
            const auto& [kind, data] = steps[i];
            if (kind != other.steps[i].first || (data && !(*data == *other.steps[i].second)))
                return i;
            if (kind == Kind::text && texts[text] != other.texts[text])
                return i;
            text += kind == Kind::text ? 1 : 0;
        }
        return std::min(steps.size(), other.steps.size());
    }
};

} // namespace

InlineReading readBack(std::string_view text, const RawMarkup& container, bool softBreaksAsSpaces) {
    const Document document = Document::parsing(text);
    const RawMarkup& root = *document.raw().markup;
    if (root.childCount() != 1 || root.child(0)->kind() != RawMarkupKind::paragraph)
        return {};
    const InlineSteps read(root.child(0)->children(), softBreaksAsSpaces);
    const InlineSteps expected(container.children(), softBreaksAsSpaces);
    const std::size_t agreeing = read.agreeing(expected);
    return {agreeing == read.steps.size() && agreeing == expected.steps.size(), agreeing};
}

} // namespace markdown
