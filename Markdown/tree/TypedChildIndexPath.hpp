#pragma once

#include "Markdown/support/Fatal.hpp"
#include "Markdown/tree/RawMarkupKind.hpp"

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <ranges>
#include <vector>

namespace markdown {

/// A path from an element down to one of its descendants: a child position per level, each
/// optionally with the kind the child must be.
class TypedChildIndexPath {
public:
    struct Element {
        std::int64_t index;
        /// The kind the child must be; none takes any.
        std::optional<RawMarkupKind> expectedType = std::nullopt;
    };

    TypedChildIndexPath() = default;
    TypedChildIndexPath(std::initializer_list<Element> elements) : elements(elements) {}
    template <std::ranges::input_range R>
    requires std::convertible_to<std::ranges::range_reference_t<R>, Element>
    explicit TypedChildIndexPath(const R& path)
        : elements(std::ranges::begin(path), std::ranges::end(path)) {}

    [[nodiscard]] std::int64_t startIndex() const { return 0; }
    [[nodiscard]] std::int64_t endIndex() const {
        return static_cast<std::int64_t>(elements.size());
    }
    /// The element at a position from startIndex to endIndex - 1; any other stops the program.
    [[nodiscard]] const Element& operator[](std::int64_t position) const {
        require(position >= startIndex() && position < endIndex());
        return elements[static_cast<std::size_t>(position)];
    }
    [[nodiscard]] auto begin() const { return elements.begin(); }
    [[nodiscard]] auto end() const { return elements.end(); }

private:
    std::vector<Element> elements;
};

} // namespace markdown
