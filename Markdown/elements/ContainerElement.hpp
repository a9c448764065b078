#pragma once

#include "Markdown/elements/MarkupElement.hpp"
#include "Markdown/tree/ChildRawMarkups.hpp"

#include <initializer_list>

namespace markdown {

/// Lets a constructor exist only where its class sets the flag.
template <bool Flag>
concept Enabled = Flag;

/// The base of an element whose constructors take only its children, each a `Child` value. A
/// kind with a payload gets `Self::initialPayload()`. With `CanInheritSourceRange`, the forms
/// with a flag give the node the range that encloses its children's.
///
/// Note that `BlockQuote(quote)` copies a quote; to nest one quote in another, pass it as a
/// `BlockMarkup` or in a sequence.
template <class Self, RawMarkupKind Kind, class Child, bool CanInheritSourceRange = false>
class ContainerElement : public MarkupElement<Self, Kind> {
    using Base = MarkupElement<Self, Kind>;

public:
    using Base::Base;

    /// The children given one by one or as one sequence.
    template <class... C>
    requires ChildrenOf<Child, C...>
    explicit ContainerElement(const C&... children)
        : Base(newNodePayload(), rawMarkups(children...)) {}

    template <SequenceOf<Child> R>
    requires Enabled<CanInheritSourceRange>
    explicit ContainerElement(const R& children, bool inheritSourceRange)
        : Base(newNodePayload(), rawMarkups(children), inheritSourceRange) {}

    explicit ContainerElement(std::initializer_list<Child> children,
                              bool inheritSourceRange) requires Enabled<CanInheritSourceRange>
        : Base(newNodePayload(), rawMarkups(children), inheritSourceRange) {}

private:
    static typename Base::Payload newNodePayload() {
        if constexpr (requires { Self::initialPayload(); })
            return Self::initialPayload();
        else
            return {};
    }
};

} // namespace markdown
