#pragma once

#include <cstddef>
#include <iterator>
#include <memory>
#include <optional>

#include "Markdown/tree/MarkupMetadata.hpp"

namespace markdown {

class Markup;
class ParentLink;
class RawMarkup;

enum class ChildOrder { forward, reversed };

/// Steps through an element's children in one direction, making each child when it is reached,
/// with the identifier that pre-order numbering gives it and the element as its parent.
template <ChildOrder Order> class MarkupChildIterator {
public:
    using value_type = Markup;
    using reference = Markup;
    using pointer = void;
    using difference_type = std::ptrdiff_t;
    using iterator_category = std::input_iterator_tag;

    MarkupChildIterator() = default;
    /// At the first child in this order.
    static MarkupChildIterator startOf(const Markup& parent);
    /// Past the last child in this order.
    static MarkupChildIterator endOf(const Markup& parent);

    /// The next child, or none after the last (and on every later call).
    std::optional<Markup> next();

    Markup operator*() const;
    MarkupChildIterator& operator++();
    MarkupChildIterator operator++(int);
    friend bool operator==(const MarkupChildIterator& a, const MarkupChildIterator& b) {
        return a.childMetadata.indexInParent == b.childMetadata.indexInParent;
    }

    /// The index of the next child and an identifier: forward, the next child's own; reversed,
    /// the one just past the next child's subtree.
    [[nodiscard]] const MarkupMetadata& metadata() const { return childMetadata; }

private:
    [[nodiscard]] bool atEnd() const;
    [[nodiscard]] std::int64_t nextSubtreeCount() const;

    std::shared_ptr<const ParentLink> parent;
    // The raw node that `parent` keeps alive; null, like `parent`, for a leaf.
    const RawMarkup* parentRaw = nullptr;
    MarkupMetadata childMetadata{{0, 0}, 0};
};

extern template class MarkupChildIterator<ChildOrder::forward>;
extern template class MarkupChildIterator<ChildOrder::reversed>;

} // namespace markdown
