#pragma once

#include "Markdown/tree/ChildRawMarkups.hpp"
#include "Markdown/tree/MarkupData.hpp"
#include "Markdown/tree/RawMarkupKind.hpp"
#include "Markdown/tree/SourceRange.hpp"
#include "Markdown/tree/TypedChildIndexPath.hpp"

#include <concepts>
#include <cstdint>
#include <optional>
#include <ranges>
#include <type_traits>

namespace markdown {

class Markup;
class MarkupChildren;
template <class Result> class MarkupVisitor;

/// Lets the tree (and nothing else) wrap data as an element without checking its kind.
class ElementKey {
    friend class Markup;
    template <class, RawMarkupKind> friend class MarkupElement;
    template <class F> friend decltype(auto) dispatchOnKind(const Markup& markup, F&& f);
    ElementKey() = default;
};

/// An element of some kind, typed or not. Every element type is a class of the same size over
/// this one; a `Markup` value is any element, whose kind its raw node tells. Values are cheap to
/// copy and never change a tree: edits make new trees that share what did not change.
class Markup {
public:
    /// `makeMarkup`: the element of the data's kind.
    explicit Markup(MarkupData data) : markupData(std::move(data)) {}

    [[nodiscard]] const MarkupData& data() const { return markupData; }
    [[nodiscard]] const AbsoluteRawMarkup& raw() const { return markupData.raw; }
    [[nodiscard]] RawMarkupKind kind() const { return markupData.raw.markup->kind(); }

    [[nodiscard]] std::optional<SourceRange> range() const;
    [[nodiscard]] std::optional<Markup> parent() const;
    [[nodiscard]] Markup root() const;
    [[nodiscard]] std::int64_t childCount() const { return markupData.raw.markup->childCount(); }
    [[nodiscard]] bool isEmpty() const { return childCount() == 0; }
    [[nodiscard]] std::int64_t indexInParent() const {
        return markupData.raw.metadata.indexInParent;
    }

    [[nodiscard]] MarkupChildren children() const;
    /// The child at a position, or none at or past the child count; a negative position stops
    /// the program. To visit every child, iterate `children()` instead.
    [[nodiscard]] std::optional<Markup> childAt(std::int64_t index) const;
    /// The descendant at the end of the path; none when a position is past the end or a child
    /// is not of the expected kind. The empty path gives this element.
    [[nodiscard]] std::optional<Markup> childThrough(const TypedChildIndexPath& path) const;
    template <std::ranges::input_range R>
    requires std::integral<std::ranges::range_value_t<R>>
    [[nodiscard]] std::optional<Markup> childThrough(const R& indices) const {
        std::vector<TypedChildIndexPath::Element> path;
        if constexpr (std::ranges::sized_range<R>)
            path.reserve(std::ranges::size(indices));
        for (auto index : indices)
            path.push_back({static_cast<std::int64_t>(index)});
        return childThrough(TypedChildIndexPath(path));
    }
    template <std::integral... I>
    [[nodiscard]] std::optional<Markup> childThrough(I... indices) const {
        return childThrough(TypedChildIndexPath{{static_cast<std::int64_t>(indices)}...});
    }

    /// Same tree and same place in it; the content is not looked at.
    [[nodiscard]] bool isIdentical(const Markup& other) const;
    /// Same kinds, payloads and shapes throughout; ranges and identity take no part.
    [[nodiscard]] bool hasSameStructure(const Markup& other) const;
    /// A root stays as it is; any other element becomes the root of a new tree over the same
    /// raw subtree.
    [[nodiscard]] Markup detachedFromParent() const;
    /// An element of this kind, payload and range whose children are exactly the given elements
    /// (of any kind: nothing is checked), standing in a rebuilt copy of this element's tree.
    template <std::ranges::input_range R>
    requires std::derived_from<std::remove_cvref_t<std::ranges::range_reference_t<R>>, Markup>
    [[nodiscard]] Markup withUncheckedChildren(const R& children) const {
        return withUncheckedRawChildren(rawMarkups(children));
    }
    /// The same with the children's raw nodes.
    [[nodiscard]] Markup withUncheckedRawChildren(std::vector<RawMarkupPtr> children) const;

    /// Calls the visitor's entry for this element's kind (defined with MarkupVisitor; a typed
    /// element calls its own entry directly).
    template <class Result> Result accept(MarkupVisitor<Result>& visitor) const;

    /// Whether this element is a T: a concrete element type, an interface value type or Markup.
    template <class T> [[nodiscard]] bool is() const {
        if constexpr (std::is_same_v<T, Markup>)
            return true;
        else if constexpr (requires { T::markupKind; })
            return kind() == T::markupKind;
        else
            return T::admits(kind());
    }
    /// This element as a T, or none when it is not one.
    template <class T> [[nodiscard]] std::optional<T> as() const {
        if (!is<T>())
            return std::nullopt;
        if constexpr (std::is_same_v<T, Markup>)
            return *this;
        else
            return T(ElementKey{}, markupData);
    }

protected:
    /// Puts the element in another place or tree: what every edit ends with.
    void replaceData(MarkupData data) { markupData = std::move(data); }

private:
    MarkupData markupData;
};

/// The element of the data's kind.
inline Markup makeMarkup(MarkupData data) {
    return Markup(std::move(data));
}

} // namespace markdown

#include "Markdown/tree/MarkupChildren.hpp"
