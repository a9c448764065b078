#include "Markdown/tree/MarkupChildIterator.hpp"

#include "Markdown/support/CheckedArithmetic.hpp"
#include "Markdown/tree/Markup.hpp"

namespace markdown {

template <ChildOrder Order>
MarkupChildIterator<Order> MarkupChildIterator<Order>::startOf(const Markup& parent) {
    MarkupChildIterator start;
    // A leaf has no child to make, so its iterator keeps nothing of it: sharing the parent
    // would cost an allocation for every leaf a walk passes.
    if (!parent.isEmpty()) {
        start.parent = parent.data().shareAsParent();
        start.parentRaw = parent.raw().markup.get();
    }
    const MarkupMetadata& own = parent.raw().metadata;
    if constexpr (Order == ChildOrder::forward)
        start.childMetadata = {{own.id.rootId, checkedAdd(own.id.childId, 1)}, 0};
    else
        start.childMetadata = {
            {own.id.rootId, checkedAdd(own.id.childId, parent.raw().markup->subtreeCount())},
            parent.childCount() - 1};
    return start;
}

template <ChildOrder Order>
MarkupChildIterator<Order> MarkupChildIterator<Order>::endOf(const Markup& parent) {
    MarkupChildIterator end;
    end.childMetadata.indexInParent = Order == ChildOrder::forward ? parent.childCount() : -1;
    return end;
}

template <ChildOrder Order> bool MarkupChildIterator<Order>::atEnd() const {
    if constexpr (Order == ChildOrder::forward)
        return parentRaw == nullptr || childMetadata.indexInParent >= parentRaw->childCount();
    else
        return childMetadata.indexInParent < 0;
}

template <ChildOrder Order> std::int64_t MarkupChildIterator<Order>::nextSubtreeCount() const {
    return parentRaw->child(childMetadata.indexInParent)->subtreeCount();
}

template <ChildOrder Order> std::optional<Markup> MarkupChildIterator<Order>::next() {
    if (atEnd())
        return std::nullopt;
    Markup child = **this;
    ++*this;
    return child;
}

template <ChildOrder Order> Markup MarkupChildIterator<Order>::operator*() const {
    MarkupMetadata own = childMetadata;
    if constexpr (Order == ChildOrder::reversed)
        own.id.childId = checkedSubtract(own.id.childId, nextSubtreeCount());
    return Markup(MarkupData(parent, own));
}

template <ChildOrder Order> MarkupChildIterator<Order>& MarkupChildIterator<Order>::operator++() {
    if constexpr (Order == ChildOrder::forward) {
        childMetadata.id.childId = checkedAdd(childMetadata.id.childId, nextSubtreeCount());
        childMetadata.indexInParent += 1;
    } else {
        childMetadata.id.childId = checkedSubtract(childMetadata.id.childId, nextSubtreeCount());
        childMetadata.indexInParent -= 1;
    }
    return *this;
}

template <ChildOrder Order> MarkupChildIterator<Order> MarkupChildIterator<Order>::operator++(int) {
    MarkupChildIterator before = *this;
    ++*this;
    return before;
}

template class MarkupChildIterator<ChildOrder::forward>;
template class MarkupChildIterator<ChildOrder::reversed>;

} // namespace markdown
