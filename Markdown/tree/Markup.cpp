#include "Markdown/tree/Markup.hpp"

namespace markdown {

std::optional<SourceRange> Markup::range() const {
    return markupData.raw.markup->parsedRange();
}

std::optional<Markup> Markup::parent() const {
    if (const MarkupData* parent = markupData.parent())
        return Markup(*parent);
    return std::nullopt;
}

Markup Markup::root() const {
    return Markup(markupData.root());
}

MarkupChildren Markup::children() const {
    return MarkupChildren(*this);
}

std::optional<Markup> Markup::childAt(std::int64_t index) const {
    if (auto child = markupData.childAt(index))
        return Markup(std::move(*child));
    return std::nullopt;
}

std::optional<Markup> Markup::childThrough(const TypedChildIndexPath& path) const {
    Markup current = *this;
    for (const auto& step : path) {
        auto child = current.childAt(step.index);
        if (!child || (step.expectedType && child->kind() != *step.expectedType))
            return std::nullopt;
        current = std::move(*child);
    }
    return current;
}

bool Markup::isIdentical(const Markup& other) const {
    return markupData.raw.metadata.id == other.markupData.raw.metadata.id;
}

bool Markup::hasSameStructure(const Markup& other) const {
    return markupData.raw.markup->hasSameStructure(*other.markupData.raw.markup);
}

Markup Markup::detachedFromParent() const {
    if (markupData.raw.metadata.id.childId == 0)
        return *this;
    return Markup(MarkupData::newRoot(markupData.raw.markup));
}

Markup Markup::withUncheckedRawChildren(std::vector<RawMarkupPtr> children) const {
    const RawMarkup& node = *markupData.raw.markup;
    auto rebuilt = RawMarkup::create(node.data(), node.parsedRange(), std::move(children));
    return Markup(markupData.replacingSelf(std::move(rebuilt), false));
}

} // namespace markdown
