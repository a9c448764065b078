#pragma once

#include "Markdown/elements/MarkupInterface.hpp"
#include "Markdown/tree/Markup.hpp"

#include <concepts>

namespace markdown {

/// A concrete element type (it names its kind).
template <class T>
concept ElementType = std::derived_from<T, Markup> && requires {
    { T::markupKind } -> std::convertible_to<RawMarkupKind>;
};

/// A value of any element type that has `Interface`: element types that have it convert to it
/// implicitly, any other element only through `Markup::as`. `Base` is the interface value type
/// of the interface that this one refines (or Markup).
template <MarkupInterface Interface, class Base> class InterfaceMarkup : public Base {
public:
    static constexpr bool admits(RawMarkupKind kind) { return hasInterface(kind, Interface); }

    template <ElementType T>
    requires(hasInterface(T::markupKind, Interface))
        InterfaceMarkup(const T& element) // implicit: a Paragraph is a BlockMarkup
        : Base(element.data()) {}

    InterfaceMarkup(ElementKey, MarkupData data) : Base(std::move(data)) {}

protected:
    explicit InterfaceMarkup(MarkupData data) : Base(std::move(data)) {}
};

} // namespace markdown
