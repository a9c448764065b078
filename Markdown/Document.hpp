#pragma once

#include "Markdown/BlockMarkup.hpp"
#include "Markdown/ContainerElement.hpp"
#include "Markdown/ParseOptions.hpp"
#include "Markdown/URL.hpp"

#include <optional>
#include <string_view>

namespace markdown {

/// The root of every parsed tree; its children are blocks.
class Document : public ContainerElement<Document, RawMarkupKind::document, BlockMarkup, true> {
public:
    static constexpr std::string_view typeName = "Document";
    using ContainerElement::ContainerElement;

    /// The text parsed into a new tree. Every source location carries `source`, the file the
    /// text came from. Never fails.
    ///
    /// `parseBlockDirectives` and `parseMinimalDoxygen` are not honoured yet: until the
    /// block-directive road is built, every text takes the CommonMark road.
    [[nodiscard]] static Document parsing(std::string_view text,
                                          const std::optional<URL>& source = {},
                                          ParseOptions options = {});
    /// The whole text of the file, parsed as above with the file as source. Throws
    /// std::filesystem::filesystem_error when the file cannot be read or is not UTF-8 text;
    /// nothing is parsed then.
    [[nodiscard]] static Document parsing(const URL& file, ParseOptions options = {});

    /// Calls the visitor's entry for this type.
    template <class Visitor> auto accept(Visitor& visitor) const {
        return visitor.visitDocument(*this);
    }
};

} // namespace markdown
