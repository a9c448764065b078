#include "Markdown/tree/RawMarkup.hpp"

#include "Markdown/support/CheckedArithmetic.hpp"
#include "Markdown/support/Fatal.hpp"
#include "Markdown/support/IterativeRelease.hpp"
#include "Markdown/tree/RawMarkupBlocks.hpp"

#include <algorithm>
#include <memory>
#include <utility>

namespace markdown {
namespace {

// The allocation that std::allocate_shared makes for a node also holds the node's child
// references after the control block. The allocator stays stateless (so the control block
// does not grow): the slot count goes in and the slot address comes out through these.
thread_local std::size_t slotCountOfNextNode = 0;
thread_local RawMarkupPtr* slotsOfNextNode = nullptr;

template <class T> struct WithChildSlots {
    using value_type = T;

    WithChildSlots() = default;
    template <class U> explicit WithChildSlots(const WithChildSlots<U>&) {}

    static std::size_t slotOffset(std::size_t n) {
        constexpr std::size_t align = alignof(RawMarkupPtr);
        return (n * sizeof(T) + align - 1) / align * align;
    }
    static_assert(alignof(T) <= alignof(void*), "raw node blocks align to a pointer");
    T* allocate(std::size_t n) {
        std::size_t offset = slotOffset(n);
        void* block =
            rawMarkupBlocks::allocate(offset + slotCountOfNextNode * sizeof(RawMarkupPtr));
        slotsOfNextNode = slotCountOfNextNode == 0
                              ? nullptr
                              : reinterpret_cast<RawMarkupPtr*>(static_cast<char*>(block) + offset);
        return static_cast<T*>(block);
    }
    void deallocate(T* block, std::size_t) noexcept { rawMarkupBlocks::release(block); }

    template <class U> bool operator==(const WithChildSlots<U>&) const { return true; }
};

std::int64_t countSubtree(std::span<const RawMarkupPtr> children) {
    std::int64_t count = 1;
    for (const auto& child : children)
        count = checkedAdd(count, child->subtreeCount());
    return count;
}

} // namespace

RawMarkupPtr RawMarkup::create(RawMarkupData data, std::optional<SourceRange> parsedRange,
                               std::vector<RawMarkupPtr> children) {
    return create(std::move(data), std::move(parsedRange), std::span(children));
}

RawMarkupPtr RawMarkup::create(RawMarkupData data, std::optional<SourceRange> parsedRange,
                               std::span<RawMarkupPtr> children) {
    slotCountOfNextNode = children.size();
    // The data and range move once, straight into the node.
    return std::allocate_shared<RawMarkup>(WithChildSlots<RawMarkup>{}, Key{}, std::move(data),
                                           std::move(parsedRange), children);
}

RawMarkup::RawMarkup(Key, RawMarkupData&& data, std::optional<SourceRange>&& parsedRange,
                     std::span<RawMarkupPtr> children)
    : head{std::move(data), static_cast<std::int64_t>(children.size()), countSubtree(children),
           std::move(parsedRange)},
      childSlots(slotsOfNextNode) {
    std::uninitialized_move(children.begin(), children.end(), childSlots);
}

RawMarkup::~RawMarkup() {
    auto slots = std::span(childSlots, static_cast<std::size_t>(head.childCount));
    // A deep tree must not be freed by one nested destructor call per level.
    for (auto& child : slots)
        releaseIteratively(child);
    std::destroy(slots.begin(), slots.end());
}

RawMarkupPtr RawMarkup::makeTable(std::vector<std::optional<ColumnAlignment>> columnAlignments,
                                  std::optional<SourceRange> parsedRange, RawMarkupPtr head,
                                  RawMarkupPtr body) {
    std::int64_t width = tableWidth(*head, *body);
    if (std::cmp_less(columnAlignments.size(), width))
        columnAlignments.resize(static_cast<std::size_t>(width));
    return create(RawMarkupData::Table{std::move(columnAlignments)}, std::move(parsedRange),
                  {std::move(head), std::move(body)});
}

std::int64_t RawMarkup::tableWidth(const RawMarkup& head, const RawMarkup& body) {
    std::int64_t width = head.childCount();
    for (const auto& row : body.children())
        width = std::max(width, row->childCount());
    return width;
}

const RawMarkupPtr& RawMarkup::child(std::int64_t index) const {
    require(index >= 0 && index < head.childCount);
    return childSlots[index];
}

bool RawMarkup::hasSameStructure(const RawMarkup& other) const {
    // An explicit stack: trees can be far deeper than the call stack allows.
    std::vector<std::pair<const RawMarkup*, const RawMarkup*>> pending{{this, &other}};
    while (!pending.empty()) {
        auto [a, b] = pending.back();
        pending.pop_back();
        if (a == b)
            continue;
        if (a->childCount() != b->childCount() || !(a->data() == b->data()))
            return false;
        for (std::int64_t i = a->childCount() - 1; i >= 0; --i)
            pending.emplace_back(a->childSlots[i].get(), b->childSlots[i].get());
    }
    return true;
}

RawMarkupPtr RawMarkup::substitutingChild(RawMarkupPtr newChild, std::int64_t index,
                                          bool preserveRange) const {
    require(index >= 0 && index < head.childCount);
    std::vector<RawMarkupPtr> newChildren(children().begin(), children().end());
    auto range = preserveRange ? head.parsedRange : newChild->parsedRange();
    newChildren[static_cast<std::size_t>(index)] = std::move(newChild);
    return create(head.data, std::move(range), std::move(newChildren));
}

void RawMarkup::adjustParsedRangeBeforeSharing(const RawMarkupPtr& node,
                                               std::optional<SourceRange> parsedRange) {
    // Nodes are made non-const (create), so writing through the const view is sound.
    const_cast<RawMarkup&>(*node).head.parsedRange = std::move(parsedRange);
}

RawMarkup::Error RawMarkup::Error::concreteConversionError(RawMarkupPtr from, std::string_view to) {
    return Error(std::move(from), std::string(to));
}

RawMarkup::Error::Error(RawMarkupPtr from, std::string to)
    : node(std::move(from)), typeName(std::move(to)),
      text("Can't wrap a " + node->data().description() + " in a " + typeName) {}

} // namespace markdown
