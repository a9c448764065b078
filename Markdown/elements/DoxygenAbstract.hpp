#pragma once

#include "Markdown/elements/BlockMarkup.hpp"
#include "Markdown/elements/ContainerElement.hpp"

namespace markdown {

/// A Doxygen abstract command.
class DoxygenAbstract
    : public ContainerElement<DoxygenAbstract, RawMarkupKind::doxygenAbstract, BlockMarkup> {
public:
    static constexpr std::string_view typeName = "DoxygenAbstract";
    using ContainerElement::ContainerElement;

    /// Calls the visitor's entry for this type.
    template <class Visitor> auto accept(Visitor& visitor) const {
        return visitor.visitDoxygenAbstract(*this);
    }
};

} // namespace markdown
