#pragma once

#include "Markdown/elements/BlockMarkup.hpp"
#include "Markdown/elements/ChildrenPlainText.hpp"
#include "Markdown/elements/InlineMarkup.hpp"
#include "Markdown/tree/ChildRawMarkups.hpp"
#include "Markdown/tree/ChildReplacement.hpp"
#include "Markdown/tree/TypedChildren.hpp"

#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <type_traits>

namespace markdown {

class ListItem;

/// The members of `Self`, an element type or interface value whose children are `Child`
/// values (`BlockMarkup`, `InlineMarkup` or `ListItem`): typed views of the children, edits of
/// runs of them and, over inline children, the plain text.
///
/// An edit changes the value it is called on: the value then stands in a rebuilt copy of its
/// tree (a new root identifier) and keeps its own range, which its ancestors take too. A run
/// is the positions from `from` up to, not including, `to`; a run outside 0 to `childCount()`
/// (or with `to` before `from`) stops the program. An empty run inserts, no new children
/// remove.
template <class Self, class Child> class ChildContainer {
    static constexpr bool holdsBlocks = std::same_as<Child, BlockMarkup>;
    static constexpr bool holdsInlines = std::same_as<Child, InlineMarkup>;
    static constexpr bool holdsItems = std::same_as<Child, ListItem>;

public:
    [[nodiscard]] TypedChildren<Child> blockChildren() const requires holdsBlocks {
        return TypedChildren<Child>(self());
    }
    [[nodiscard]] TypedChildren<Child> inlineChildren() const requires holdsInlines {
        return TypedChildren<Child>(self());
    }
    [[nodiscard]] TypedChildren<Child> listItems() const requires holdsItems {
        return TypedChildren<Child>(self());
    }

    template <SequenceOf<Child> R>
    void replaceChildrenInRange(std::int64_t from, std::int64_t to,
                                const R& children) requires(!holdsItems) {
        editChildren(from, to, rawMarkups(children));
    }
    void replaceChildrenInRange(std::int64_t from, std::int64_t to,
                                std::initializer_list<Child> children) requires(!holdsItems) {
        editChildren(from, to, rawMarkups(children));
    }
    template <SequenceOf<Child> R>
    void replaceItemsInRange(std::int64_t from, std::int64_t to,
                             const R& items) requires holdsItems {
        editChildren(from, to, rawMarkups(items));
    }
    void replaceItemsInRange(std::int64_t from, std::int64_t to,
                             std::initializer_list<Child> items) requires holdsItems {
        editChildren(from, to, rawMarkups(items));
    }

    /// Replaces all children.
    template <SequenceOf<Child> R> void setBlockChildren(const R& children) requires holdsBlocks {
        editChildren(0, self().childCount(), rawMarkups(children));
    }
    void setBlockChildren(std::initializer_list<Child> children) requires holdsBlocks {
        editChildren(0, self().childCount(), rawMarkups(children));
    }
    template <SequenceOf<Child> R> void setInlineChildren(const R& children) requires holdsInlines {
        editChildren(0, self().childCount(), rawMarkups(children));
    }
    void setInlineChildren(std::initializer_list<Child> children) requires holdsInlines {
        editChildren(0, self().childCount(), rawMarkups(children));
    }
    template <SequenceOf<Child> R> void setListItems(const R& items) requires holdsItems {
        editChildren(0, self().childCount(), rawMarkups(items));
    }
    void setListItems(std::initializer_list<Child> items) requires holdsItems {
        editChildren(0, self().childCount(), rawMarkups(items));
    }
    /// Adds an item after the last.
    void appendItem(const Child& item) requires holdsItems {
        std::int64_t end = self().childCount();
        editChildren(end, end, rawMarkups(item));
    }

    /// The plain texts of the children, joined (see `childrenPlainText`). Element types with a
    /// rule of their own (emphasis, strong, strikethrough) declare their own `plainText`.
    [[nodiscard]] std::string plainText() const requires holdsInlines {
        return childrenPlainText(self());
    }

private:
    const Self& self() const { return static_cast<const Self&>(*this); }
    Self& self() { return static_cast<Self&>(*this); }

    void editChildren(std::int64_t from, std::int64_t to, std::vector<RawMarkupPtr> children) {
        Markup edited = replacingChildren(self(), from, to, std::move(children));
        self() = *edited.template as<Self>();
    }
};

/// Empty: an element whose children are of no one kind.
struct NoChildContainer {};

/// The child members that an element of `Kind` has, by its container interface.
template <class Self, RawMarkupKind Kind>
using ChildContainerOf = std::conditional_t<
    hasInterface(Kind, MarkupInterface::blockContainer), ChildContainer<Self, BlockMarkup>,
    std::conditional_t<hasInterface(Kind, MarkupInterface::inlineContainer),
                       ChildContainer<Self, InlineMarkup>,
                       std::conditional_t<hasInterface(Kind, MarkupInterface::listItemContainer),
                                          ChildContainer<Self, ListItem>, NoChildContainer>>>;

} // namespace markdown
