#pragma once

#include "Markdown/elements/ChildContainer.hpp"
#include "Markdown/tree/ChildRawMarkups.hpp"
#include "Markdown/tree/Markup.hpp"
#include "Markdown/tree/RawMarkup.hpp"

#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace markdown {

/// Stops the program: an element of type `typeName` wraps a node of another kind.
[[noreturn]] void stopOnWrongKind(std::string_view typeName, const MarkupData& data);

/// The base of every element type: `Self` wraps raw nodes of kind `Kind` and adds no fields.
/// `Self` declares `static constexpr std::string_view typeName`. A container kind brings the
/// child members of its interface.
template <class Self, RawMarkupKind Kind>
class MarkupElement : public Markup, public ChildContainerOf<Self, Kind> {
public:
    static constexpr RawMarkupKind markupKind = Kind;
    using Payload = RawMarkupData::Payload<Kind>;

    /// The node as the root of a new tree; a node of another kind throws RawMarkup::Error.
    static Self fromRaw(RawMarkupPtr markup) {
        if (markup->kind() != Kind)
            throw RawMarkup::Error::concreteConversionError(std::move(markup), Self::typeName);
        return Self(ElementKey{}, MarkupData::newRoot(std::move(markup)));
    }

    /// The tree's own wrapping of data known to be of this kind.
    MarkupElement(ElementKey, MarkupData data) : Markup(std::move(data)) {}

protected:
    /// A new root over a new node of this kind with the given children, which are shared. The
    /// node takes the children's enclosing range only when asked to.
    explicit MarkupElement(Payload payload, std::vector<RawMarkupPtr> children = {},
                           bool inheritSourceRange = false)
        : Markup(MarkupData::newRoot(
              makeNode(std::move(payload), std::move(children), inheritSourceRange))) {}

    /// A new root over a node made elsewhere, which must be of this kind.
    explicit MarkupElement(RawMarkupPtr node) : Markup(MarkupData::newRoot(std::move(node))) {
        require(kind() == Kind);
    }

    /// The payload of the raw node; a node of another kind stops the program.
    [[nodiscard]] const Payload& payload() const {
        const Payload* payload = raw().markup->data().template getIf<Kind>();
        if (payload == nullptr) [[unlikely]]
            stopOnWrongKind(Self::typeName, data());
        return *payload;
    }

    /// A payload write: a new node with this payload, the same children and no range takes this
    /// element's place, in a new tree.
    void replacePayload(Payload newPayload) {
        (void)payload();
        auto children = raw().markup->children();
        auto node = RawMarkup::create(std::move(newPayload), std::nullopt,
                                      {children.begin(), children.end()});
        replaceData(data().replacingSelf(std::move(node), false));
    }

private:
    static RawMarkupPtr makeNode(Payload payload, std::vector<RawMarkupPtr> children,
                                 bool inheritSourceRange) {
        auto range = inheritSourceRange ? enclosingSourceRange(children) : std::nullopt;
        return RawMarkup::create(std::move(payload), std::move(range), std::move(children));
    }
};

} // namespace markdown
