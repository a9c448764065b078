#pragma once

#include "Markdown/tree/AbsoluteRawMarkup.hpp"

#include <cstdint>
#include <memory>
#include <optional>

namespace markdown {

class ParentLink;

/// What an element value stores: its raw node, its place in one tree and its parent as it was
/// when the element was taken from it. Copies share the raw node and the parent.
class MarkupData {
public:
    /// The data of a new tree's root: a fresh root identifier, child identifier 0, no parent.
    static MarkupData newRoot(RawMarkupPtr markup);

    /// The data of the child at `metadata.indexInParent` of the parent that `parent` shares.
    MarkupData(std::shared_ptr<const ParentLink> parent, MarkupMetadata metadata);

    /// The parent's data, or null for a root. It lives as long as this data does.
    [[nodiscard]] const MarkupData* parent() const;
    /// The root of this tree.
    [[nodiscard]] MarkupData root() const;
    /// This data shared, for its children to point at as their parent.
    [[nodiscard]] std::shared_ptr<const ParentLink> shareAsParent() const;
    /// The child at `index` in this tree, or none at or past the child count; a negative index
    /// stops the program. Costs a pass over the earlier siblings' subtree counts.
    [[nodiscard]] std::optional<MarkupData> childAt(std::int64_t index) const;

    /// The data of `markup` standing where this node stands, in a new tree: every ancestor is
    /// rebuilt around it (so the root gets a fresh identifier) and all else is shared. The
    /// direct parent keeps its own range when `preserveRange`, else takes the new node's; the
    /// higher ancestors take the range of their rebuilt child. The ancestors are rebuilt when
    /// first asked for, so a series of edits costs nothing per level until someone looks up.
    [[nodiscard]] MarkupData replacingSelf(RawMarkupPtr markup, bool preserveRange) const;

    MarkupData(const MarkupData&) = default;
    MarkupData(MarkupData&&) noexcept = default;
    MarkupData& operator=(const MarkupData&) = default;
    MarkupData& operator=(MarkupData&&) noexcept = default;
    ~MarkupData();

    AbsoluteRawMarkup raw;

private:
    MarkupData(AbsoluteRawMarkup raw, std::shared_ptr<const ParentLink> parent);
    friend class ParentLink;

    std::shared_ptr<const ParentLink> parentLink;
};

} // namespace markdown
