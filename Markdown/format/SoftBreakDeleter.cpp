#include "Markdown/format/SoftBreakDeleter.hpp"

#include "Markdown/elements/Text.hpp"
#include "Markdown/support/StackSpace.hpp"

namespace markdown {

std::optional<Markup> SoftBreakDeleter::visitSoftBreak(const SoftBreak&) {
    return Text(" ");
}

bool holdsSoftBreak(const RawMarkup& node) {
    return withStackSpace([&] {
        for (const RawMarkupPtr& child : node.children())
            if (child->kind() == RawMarkupKind::softBreak || holdsSoftBreak(*child))
                return true;
        return false;
    });
}

std::vector<RawMarkupPtr> childrenWithoutSoftBreaks(const RawMarkup& node) {
    return withStackSpace([&] {
        std::vector<RawMarkupPtr> children;
        children.reserve(static_cast<std::size_t>(node.childCount()));
        for (const RawMarkupPtr& child : node.children())
            children.push_back(child->kind() == RawMarkupKind::softBreak
                                   ? RawMarkup::create(Text::Payload{" "})
                                   : RawMarkup::create(child->data(), child->parsedRange(),
                                                       childrenWithoutSoftBreaks(*child)));
        return children;
    });
}

} // namespace markdown
