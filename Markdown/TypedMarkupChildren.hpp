#pragma once

#include "Markdown/Fatal.hpp"
#include "Markdown/MarkupChildren.hpp"

#include <cstddef>
#include <iterator>

namespace markdown {

/// The children of an element as values of type T, first to last, each made and converted when
/// reached with the identity that forward iteration gives it. A child that is not a T stops
/// the program when it is reached: the tree's own constructors never put one there.
template <class T> class TypedMarkupChildren {
public:
    class Iterator {
    public:
        using value_type = T;
        using reference = T;
        using pointer = void;
        using difference_type = std::ptrdiff_t;
        using iterator_category = std::input_iterator_tag;

        Iterator() = default;
        explicit Iterator(MarkupChildren::Iterator children) : children(std::move(children)) {}

        T operator*() const {
            auto typed = (*children).template as<T>();
            require(typed.has_value());
            return *std::move(typed);
        }
        Iterator& operator++() {
            ++children;
            return *this;
        }
        Iterator operator++(int) {
            Iterator old = *this;
            ++children;
            return old;
        }
        friend bool operator==(const Iterator& a, const Iterator& b) = default;

    private:
        MarkupChildren::Iterator children;
    };

    explicit TypedMarkupChildren(Markup parent) : children(std::move(parent)) {}

    [[nodiscard]] Iterator begin() const { return Iterator(children.begin()); }
    [[nodiscard]] Iterator end() const { return Iterator(children.end()); }

private:
    MarkupChildren children;
};

} // namespace markdown
