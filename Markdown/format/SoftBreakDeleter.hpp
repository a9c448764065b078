#pragma once

#include "Markdown/elements/MarkupRewriter.hpp"
#include "Markdown/elements/SoftBreak.hpp"
#include "Markdown/tree/RawMarkup.hpp"

#include <concepts>
#include <optional>
#include <vector>

namespace markdown {

/// Rewrites a tree with every soft break turned into a text of one space, so that printed
/// text can be re-wrapped without the source's line ends. Hard line breaks stay; no child is
/// dropped and neighbouring texts are not merged.
class SoftBreakDeleter : public MarkupRewriter {
public:
    std::optional<Markup> visitSoftBreak(const SoftBreak& softBreak) override;
};

/// The children of a raw node as `SoftBreakDeleter` rewrites them: every node rebuilt with its
/// own data and range, each soft break a text of one space without one. Built once each,
/// bottom-up, without the element values and parent links a rewriter makes on its way.
[[nodiscard]] std::vector<RawMarkupPtr> childrenWithoutSoftBreaks(const RawMarkup& node);

/// Whether the node holds a soft break, which `SoftBreakDeleter` would rewrite.
[[nodiscard]] bool holdsSoftBreak(const RawMarkup& node);

/// The element rewritten by `SoftBreakDeleter`, in a new tree (inside rebuilt copies of its
/// ancestors); none only for a soft break, which does not come back as one.
template <class T>
requires std::derived_from<T, Markup>
[[nodiscard]] std::optional<T> withoutSoftBreaks(const T& markup) {
    if (markup.template is<SoftBreak>())
        return std::nullopt;
    return markup.withUncheckedRawChildren(childrenWithoutSoftBreaks(*markup.raw().markup))
        .template as<T>();
}

} // namespace markdown
