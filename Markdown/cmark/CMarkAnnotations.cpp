#include "Markdown/cmark/CMarkAnnotations.hpp"

#include <cmark-gfm.h>

namespace markdown {
namespace {

static_assert(sizeof(void*) >= sizeof(std::uint64_t), "annotations are packed into a pointer");

// Marks a stored cell span, so that an unset slot (null) reads as the default.
constexpr std::uint64_t cellTag = std::uint64_t{1} << 63;
constexpr std::uint64_t rowspanMask = (std::uint64_t{1} << 31) - 1;

void store(cmark_node* node, std::uint64_t value) {
    cmark_node_set_user_data(node, reinterpret_cast<void*>(static_cast<std::uintptr_t>(value)));
}

std::uint64_t load(cmark_node* node) {
    return reinterpret_cast<std::uintptr_t>(cmark_node_get_user_data(node));
}

} // namespace

void setBacktickCount(cmark_node* codeSpan, unsigned count) {
    store(codeSpan, count);
}

unsigned recordedBacktickCount(cmark_node* codeSpan) {
    return static_cast<unsigned>(load(codeSpan));
}

void setTableCellSpan(cmark_node* cell, TableCellSpan span) {
    store(cell, cellTag | (std::uint64_t{span.rowspan} & rowspanMask) << 32 | span.colspan);
}

TableCellSpan recordedTableCellSpan(cmark_node* cell) {
    const std::uint64_t value = load(cell);
    if ((value & cellTag) == 0)
        return {};
    return {static_cast<std::uint32_t>(value),
            static_cast<std::uint32_t>(value >> 32 & rowspanMask)};
}

} // namespace markdown
