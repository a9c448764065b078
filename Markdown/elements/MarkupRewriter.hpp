#pragma once

#include "Markdown/elements/MarkupVisitor.hpp"

#include <optional>

namespace markdown {

/// A visitor that returns a replacement for every element it visits, or none to drop it. By
/// default an element is rebuilt, with its own data and range, from what its children's
/// entries return; so `visit` on a root gives the rewritten tree, sharing every raw node that
/// an overridden entry returned unchanged.
class MarkupRewriter : public MarkupVisitor<std::optional<Markup>> {
public:
    std::optional<Markup> defaultVisit(const Markup& markup) override;
};

} // namespace markdown
