#pragma once

#include "Markdown/tree/RawMarkup.hpp"

#include <concepts>
#include <optional>
#include <ranges>
#include <span>
#include <type_traits>
#include <vector>

namespace markdown {

class Markup;

/// T is an element value that can stand where an `Interface` value is asked for.
template <class T, class Interface>
concept ConformsTo = std::derived_from<T, Markup> && std::convertible_to<const T&, Interface>;

/// R is a sequence of element values that conform to `Interface`.
template <class R, class Interface>
concept SequenceOf = std::ranges::input_range<R> &&
    ConformsTo<std::remove_cvref_t<std::ranges::range_reference_t<R>>, Interface>;

/// Children given one by one, or as one sequence, each conforming to `Interface`.
template <class Interface, class... C>
concept ChildrenOf = (ConformsTo<C, Interface> && ...) ||
                     (sizeof...(C) == 1 && (SequenceOf<C, Interface> && ...));

/// The elements' raw nodes, in order and shared: what a new node is made of. The elements'
/// places in their own trees are dropped.
template <std::ranges::input_range R>
requires std::derived_from<std::remove_cvref_t<std::ranges::range_reference_t<R>>, Markup>
    std::vector<RawMarkupPtr> rawMarkups(const R& elements) {
    std::vector<RawMarkupPtr> raws;
    if constexpr (std::ranges::sized_range<R>)
        raws.reserve(std::ranges::size(elements));
    for (const auto& element : elements)
        raws.push_back(element.raw().markup);
    return raws;
}
template <std::derived_from<Markup>... T>
std::vector<RawMarkupPtr> rawMarkups(const T&... elements) {
    return {elements.raw().markup...};
}

/// From the first child's start to the last child's end; none without children, when the first
/// or the last has no range, or when they are out of order.
std::optional<SourceRange> enclosingSourceRange(std::span<const RawMarkupPtr> children);

} // namespace markdown
