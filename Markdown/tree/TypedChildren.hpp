#pragma once

#include "Markdown/support/Fatal.hpp"
#include "Markdown/tree/Markup.hpp"

#include <cstddef>
#include <iterator>

namespace markdown {

/// An element's children seen as `Child` values, first to last, each made and converted when
/// reached: nothing is copied or allocated up front. Reaching a child that is not a `Child`
/// stops the program; only `withUncheckedChildren` can put one there.
template <class Child> class TypedChildren {
public:
    class Iterator {
    public:
        using value_type = Child;
        using reference = Child;
        using pointer = void;
        using difference_type = std::ptrdiff_t;
        using iterator_category = std::input_iterator_tag;

        Iterator() = default;
        explicit Iterator(MarkupChildren::Iterator position) : position(std::move(position)) {}

        Child operator*() const {
            auto child = (*position).template as<Child>();
            require(child.has_value());
            return std::move(*child);
        }
        Iterator& operator++() {
            ++position;
            return *this;
        }
        Iterator operator++(int) {
            Iterator before = *this;
            ++position;
            return before;
        }
        friend bool operator==(const Iterator& a, const Iterator& b) {
            return a.position == b.position;
        }

    private:
        MarkupChildren::Iterator position;
    };

    explicit TypedChildren(Markup parent) : children(std::move(parent)) {}

    [[nodiscard]] Iterator begin() const { return Iterator(children.begin()); }
    [[nodiscard]] Iterator end() const { return Iterator(children.end()); }

private:
    MarkupChildren children;
};

} // namespace markdown
