#pragma once

#include "Markdown/elements/BlockMarkup.hpp"
#include "Markdown/elements/MarkupElement.hpp"

#include <string>

namespace markdown {

/// The Doxygen description of one parameter, with the parameter's name.
class DoxygenParameter : public MarkupElement<DoxygenParameter, RawMarkupKind::doxygenParam> {
public:
    static constexpr std::string_view typeName = "DoxygenParameter";
    using MarkupElement::MarkupElement;

    /// The children given one by one or as one sequence.
    template <class... C>
    requires ChildrenOf<BlockMarkup, C...>
    explicit DoxygenParameter(std::string name, const C&... children)
        : MarkupElement(Payload{std::move(name)}, rawMarkups(children...)) {}

    /// The parameter's name, as given (it may be empty).
    [[nodiscard]] const std::string& name() const { return payload().name; }
    /// Each write rebuilds, even of the name the parameter has.
    void setName(std::string name) { replacePayload({std::move(name)}); }

    /// Calls the visitor's entry for this type.
    template <class Visitor> auto accept(Visitor& visitor) const {
        return visitor.visitDoxygenParameter(*this);
    }
};

} // namespace markdown
