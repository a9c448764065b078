#pragma once

#include "Markdown/tree/RawMarkupData.hpp"
#include "Markdown/tree/SourceRange.hpp"

#include <cstdint>
#include <exception>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace markdown {

class RawMarkup;
/// Raw nodes are immutable once handed out and shared between tree versions.
using RawMarkupPtr = std::shared_ptr<const RawMarkup>;

/// A raw node's own fields.
struct RawMarkupHeader {
    RawMarkupData data;
    std::int64_t childCount;
    /// Nodes in the subtree rooted here, this one included.
    std::int64_t subtreeCount;
    /// Where the node was parsed from; absent for nodes built in code.
    std::optional<SourceRange> parsedRange;
};

/// A node of the Markdown document tree as stored: its data, source range and children, but
/// no parent or position. The header and the child references share one allocation.
class RawMarkup {
    class Key {
        friend class RawMarkup;
        Key() = default;
    };

public:
    class Error;

    /// Makes a node over the children, in order; the subtree count follows from theirs.
    static RawMarkupPtr create(RawMarkupData data, std::optional<SourceRange> parsedRange = {},
                               std::vector<RawMarkupPtr> children = {});
    /// The same, moving the children out of the span (for builders that collect the children
    /// of many nodes in one buffer).
    static RawMarkupPtr create(RawMarkupData data, std::optional<SourceRange> parsedRange,
                               std::span<RawMarkupPtr> children);

    /// A table node with the head and body nodes as its two children. The alignments are padded
    /// with absent entries up to the widest row (head or body row), never shortened.
    static RawMarkupPtr makeTable(std::vector<std::optional<ColumnAlignment>> columnAlignments,
                                  std::optional<SourceRange> parsedRange, RawMarkupPtr head,
                                  RawMarkupPtr body);
    /// The number of cells of the head or of the longest body row, whichever has more.
    static std::int64_t tableWidth(const RawMarkup& head, const RawMarkup& body);

    [[nodiscard]] const RawMarkupHeader& header() const { return head; }
    [[nodiscard]] const RawMarkupData& data() const { return head.data; }
    [[nodiscard]] RawMarkupKind kind() const { return head.data.kind(); }
    [[nodiscard]] std::int64_t childCount() const { return head.childCount; }
    [[nodiscard]] std::int64_t subtreeCount() const { return head.subtreeCount; }
    [[nodiscard]] const std::optional<SourceRange>& parsedRange() const { return head.parsedRange; }
    /// The child at a position from 0 to childCount - 1; any other position stops the program.
    [[nodiscard]] const RawMarkupPtr& child(std::int64_t index) const;
    [[nodiscard]] std::span<const RawMarkupPtr> children() const {
        return {childSlots, static_cast<std::size_t>(head.childCount)};
    }

    /// Same kinds, payloads and shapes throughout; ranges and identity take no part.
    [[nodiscard]] bool hasSameStructure(const RawMarkup& other) const;

    /// A copy of this node with the child at `index` replaced. Its range is this node's own
    /// when `preserveRange`, else the new child's. An index outside the children stops the
    /// program.
    [[nodiscard]] RawMarkupPtr substitutingChild(RawMarkupPtr newChild, std::int64_t index,
                                                 bool preserveRange) const;

    /// The one write a node allows: the range adjuster moves the ranges of a tree it has just
    /// parsed, before anything else can see it. Never use it on a node that is shared.
    static void adjustParsedRangeBeforeSharing(const RawMarkupPtr& node,
                                               std::optional<SourceRange> parsedRange);

    RawMarkup(Key, RawMarkupData&& data, std::optional<SourceRange>&& parsedRange,
              std::span<RawMarkupPtr> children);
    ~RawMarkup();
    RawMarkup(const RawMarkup&) = delete;
    RawMarkup& operator=(const RawMarkup&) = delete;

private:
    RawMarkupHeader head;
    RawMarkupPtr* childSlots; // right after the node, in the same allocation
};

/// A raw node that cannot be wrapped as the element type asked for.
class RawMarkup::Error : public std::exception {
public:
    static Error concreteConversionError(RawMarkupPtr from, std::string_view to);

    [[nodiscard]] const RawMarkupPtr& from() const { return node; }
    /// The element type's unqualified name.
    [[nodiscard]] const std::string& to() const { return typeName; }
    /// "Can't wrap a <data> in a <type>".
    [[nodiscard]] const std::string& errorDescription() const { return text; }
    [[nodiscard]] const char* what() const noexcept override { return text.c_str(); }

private:
    Error(RawMarkupPtr from, std::string to);

    RawMarkupPtr node;
    std::string typeName;
    std::string text;
};

} // namespace markdown
