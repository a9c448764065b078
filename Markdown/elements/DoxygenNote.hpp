#pragma once

#include "Markdown/elements/BlockMarkup.hpp"
#include "Markdown/elements/ContainerElement.hpp"

namespace markdown {

/// A Doxygen note command.
class DoxygenNote : public ContainerElement<DoxygenNote, RawMarkupKind::doxygenNote, BlockMarkup> {
public:
    static constexpr std::string_view typeName = "DoxygenNote";
    using ContainerElement::ContainerElement;

    /// Calls the visitor's entry for this type.
    template <class Visitor> auto accept(Visitor& visitor) const {
        return visitor.visitDoxygenNote(*this);
    }
};

} // namespace markdown
