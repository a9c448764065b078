#pragma once

#include "Markdown/elements/BlockMarkup.hpp"
#include "Markdown/elements/ContainerElement.hpp"
#include "Markdown/elements/ParseOptions.hpp"
#include "Markdown/support/URL.hpp"

#include <optional>
#include <string_view>

namespace markdown {

class ParseContainerStack;
struct LazySplitLines;

/// The root of every parsed tree; its children are blocks.
class Document : public ContainerElement<Document, RawMarkupKind::document, BlockMarkup, true> {
public:
    static constexpr std::string_view typeName = "Document";
    using ContainerElement::ContainerElement;

    /// The text parsed into a new tree, `source` being the file the text came from. Never
    /// fails. Without `parseBlockDirectives` the whole text is CommonMark and every location
    /// carries `source`. With it, the lines are first grouped into block directives (and,
    /// with `parseMinimalDoxygen`, Doxygen commands) around runs of ordinary lines, each run
    /// parsed as CommonMark; every range points into the whole text, but only those of
    /// directives and commands carry `source`.
    [[nodiscard]] static Document parsing(std::string_view text,
                                          const std::optional<URL>& source = {},
                                          ParseOptions options = {});
    /// The whole text of the file, parsed as above with the file as source. Throws
    /// std::filesystem::filesystem_error when the file cannot be read or is not UTF-8 text;
    /// nothing is parsed then.
    [[nodiscard]] static Document parsing(const URL& file, ParseOptions options = {});

    /// The block-directive road's first half: every line accepted in order, then every
    /// container but the root closed. The stack holds the root alone, the whole container tree
    /// inside. The lines are views of the sequence's input, which must outlive the stack.
    [[nodiscard]] static ParseContainerStack parseLines(const LazySplitLines& lines,
                                                        ParseOptions options);

    /// Calls the visitor's entry for this type.
    template <class Visitor> auto accept(Visitor& visitor) const {
        return visitor.visitDocument(*this);
    }
};

} // namespace markdown
