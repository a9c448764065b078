#pragma once

#include "Markdown/elements/BlockMarkup.hpp"
#include "Markdown/elements/ContainerElement.hpp"

namespace markdown {

/// The Doxygen description of a result.
class DoxygenReturns
    : public ContainerElement<DoxygenReturns, RawMarkupKind::doxygenReturns, BlockMarkup> {
public:
    static constexpr std::string_view typeName = "DoxygenReturns";
    using ContainerElement::ContainerElement;

    /// Calls the visitor's entry for this type.
    template <class Visitor> auto accept(Visitor& visitor) const {
        return visitor.visitDoxygenReturns(*this);
    }
};

} // namespace markdown
