#pragma once

#include "Markdown/elements/BlockMarkup.hpp"
#include "Markdown/elements/ContainerElement.hpp"

namespace markdown {

/// A Doxygen discussion command.
class DoxygenDiscussion
    : public ContainerElement<DoxygenDiscussion, RawMarkupKind::doxygenDiscussion, BlockMarkup> {
public:
    static constexpr std::string_view typeName = "DoxygenDiscussion";
    using ContainerElement::ContainerElement;

    /// Calls the visitor's entry for this type.
    template <class Visitor> auto accept(Visitor& visitor) const {
        return visitor.visitDoxygenDiscussion(*this);
    }
};

} // namespace markdown
