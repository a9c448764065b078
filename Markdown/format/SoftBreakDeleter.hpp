#pragma once

#include "Markdown/elements/MarkupRewriter.hpp"

#include <concepts>
#include <optional>

namespace markdown {

/// Rewrites a tree with every soft break turned into a text of one space, so that printed
/// text can be re-wrapped without the source's line ends. Hard line breaks stay; no child is
/// dropped and neighbouring texts are not merged.
class SoftBreakDeleter : public MarkupRewriter {
public:
    std::optional<Markup> visitSoftBreak(const SoftBreak& softBreak) override;
};

/// The element rewritten by `SoftBreakDeleter`, in a new tree (inside rebuilt copies of its
/// ancestors); none only for a soft break, which does not come back as one.
template <class T>
requires std::derived_from<T, Markup>
[[nodiscard]] std::optional<T> withoutSoftBreaks(const T& markup) {
    SoftBreakDeleter deleter;
    std::optional<Markup> rewritten = markup.accept(deleter);
    if (!rewritten || rewritten->kind() != markup.kind())
        return std::nullopt;
    return rewritten->template as<T>();
}

} // namespace markdown
