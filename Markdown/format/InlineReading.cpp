#include "Markdown/format/InlineReading.hpp"

#include "Markdown/elements/Document.hpp"
#include "Markdown/format/MarkdownCharacters.hpp"

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

// A tree's inline content in walk order: each node opened with its data and closed after its
// children, adjacent texts merged into one piece (a tree rewritten without soft breaks keeps
// them apart).
struct InlineSteps {
    enum class Kind { open, close, text };
    std::vector<std::pair<Kind, const RawMarkupData*>> steps;
    std::vector<std::string> texts;

    explicit InlineSteps(std::span<const RawMarkupPtr> children) {
        std::vector<const RawMarkup*> pending; // null: the close of the node opened last
        for (auto child = children.rbegin(); child != children.rend(); ++child)
            pending.push_back(child->get());
        bool inText = false;
        while (!pending.empty()) {
            const RawMarkup* node = pending.back();
            pending.pop_back();
            if (const auto* text = node ? node->data().getIf<RawMarkupKind::text>() : nullptr) {
                if (!inText) {
                    steps.emplace_back(Kind::text, nullptr);
                    texts.emplace_back();
                }
                texts.back() += text->string;
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

    bool operator==(const InlineSteps& other) const {
        if (steps.size() != other.steps.size() || texts != other.texts)
            return false;
        for (std::size_t i = 0; i < steps.size(); ++i)
            if (steps[i].first != other.steps[i].first ||
                (steps[i].second && !(*steps[i].second == *other.steps[i].second)))
                return false;
        return true;
    }
};

} // namespace

bool readsBackAs(std::string_view text, const RawMarkup& container) {
    const Document document = Document::parsing(text);
    const RawMarkup& root = *document.raw().markup;
    if (root.childCount() != 1 || root.child(0)->kind() != RawMarkupKind::paragraph)
        return false;
    return InlineSteps(root.child(0)->children()) == InlineSteps(container.children());
}

} // namespace markdown
