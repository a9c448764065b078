#pragma once

#include "Markdown/tree/Checkbox.hpp"
#include "Markdown/tree/ColumnAlignment.hpp"
#include "Markdown/tree/DirectiveArgumentText.hpp"
#include "Markdown/tree/RawMarkupKind.hpp"
#include "Markdown/tree/SourceLocation.hpp"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

namespace markdown {

/// The kind of a raw node and its kind-specific payload: one payload type per `RawMarkupKind`,
/// nested here under the kind's name.
class RawMarkupData {
public:
    struct CodeBlock {
        std::string code;
        std::optional<std::string> language;
    };
    struct Heading {
        std::int64_t level;
    };
    struct HTMLBlock {
        std::string html;
    };
    struct ListItem {
        std::optional<Checkbox> checkbox;
    };
    struct OrderedList {
        std::uint64_t startIndex;
    };
    struct BlockDirective {
        std::string name;
        std::optional<SourceLocation> nameLocation;
        DirectiveArgumentText arguments;
    };
    struct InlineCode {
        std::string code;
    };
    struct CustomInline {
        std::string text;
    };
    struct Image {
        std::optional<std::string> source;
        std::optional<std::string> title;
    };
    struct InlineHTML {
        std::string html;
    };
    struct Link {
        std::optional<std::string> destination;
        std::optional<std::string> title;
    };
    struct Text {
        std::string string;
    };
    struct SymbolLink {
        std::optional<std::string> destination;
    };
    struct InlineAttributes {
        std::string attributes;
    };
    struct Table {
        std::vector<std::optional<ColumnAlignment>> columnAlignments;
    };
    struct TableCell {
        std::uint64_t colspan;
        std::uint64_t rowspan;
    };
    struct DoxygenParam {
        std::string name;
    };
    /// The payload of a kind that carries none.
    template <RawMarkupKind> struct Empty {};
    using BlockQuote = Empty<RawMarkupKind::blockQuote>;
    using CustomBlock = Empty<RawMarkupKind::customBlock>;
    using Document = Empty<RawMarkupKind::document>;
    using ThematicBreak = Empty<RawMarkupKind::thematicBreak>;
    using UnorderedList = Empty<RawMarkupKind::unorderedList>;
    using Paragraph = Empty<RawMarkupKind::paragraph>;
    using Emphasis = Empty<RawMarkupKind::emphasis>;
    using LineBreak = Empty<RawMarkupKind::lineBreak>;
    using SoftBreak = Empty<RawMarkupKind::softBreak>;
    using Strong = Empty<RawMarkupKind::strong>;
    using Strikethrough = Empty<RawMarkupKind::strikethrough>;
    using TableHead = Empty<RawMarkupKind::tableHead>;
    using TableBody = Empty<RawMarkupKind::tableBody>;
    using TableRow = Empty<RawMarkupKind::tableRow>;
    using DoxygenDiscussion = Empty<RawMarkupKind::doxygenDiscussion>;
    using DoxygenNote = Empty<RawMarkupKind::doxygenNote>;
    using DoxygenAbstract = Empty<RawMarkupKind::doxygenAbstract>;
    using DoxygenReturns = Empty<RawMarkupKind::doxygenReturns>;

    /// The payload types in kind order.
    using Payloads =
        std::tuple<CodeBlock, Heading, HTMLBlock, ListItem, OrderedList, BlockDirective, InlineCode,
                   CustomInline, Image, InlineHTML, Link, Text, SymbolLink, InlineAttributes, Table,
                   TableCell, DoxygenParam, BlockQuote, CustomBlock, Document, ThematicBreak,
                   UnorderedList, Paragraph, Emphasis, LineBreak, SoftBreak, Strong, Strikethrough,
                   TableHead, TableBody, TableRow, DoxygenDiscussion, DoxygenNote, DoxygenAbstract,
                   DoxygenReturns>;
    template <RawMarkupKind K>
    using Payload = std::tuple_element_t<static_cast<std::size_t>(K), Payloads>;
    /// The kind whose payload type is P.
    template <class P>
    static constexpr RawMarkupKind kindOf = [] {
        return []<std::size_t... I>(std::index_sequence<I...>) {
            std::size_t index = 0;
            ((std::is_same_v<P, std::tuple_element_t<I, Payloads>> ? (index = I) : 0), ...);
            return static_cast<RawMarkupKind>(index);
        }
        (std::make_index_sequence<std::tuple_size_v<Payloads>>{});
    }();
    template <class P> static constexpr bool isPayload = std::is_same_v<P, Payload<kindOf<P>>>;

    template <class P>
    requires isPayload<P> RawMarkupData(P payload) // implicit: a payload names its own kind
        : storage(std::in_place_index<static_cast<std::size_t>(kindOf<P>)>,
                  store(std::move(payload))) {}

    [[nodiscard]] RawMarkupKind kind() const { return static_cast<RawMarkupKind>(storage.index()); }
    /// The payload when the data is of kind K, else null.
    template <RawMarkupKind K> [[nodiscard]] const Payload<K>* getIf() const {
        const auto* stored = std::get_if<static_cast<std::size_t>(K)>(&storage);
        if constexpr (isBoxed<Payload<K>>)
            return stored ? stored->get() : nullptr;
        else
            return stored;
    }
    template <class P>
    requires isPayload<P>
    [[nodiscard]] const P* getIf() const { return getIf<kindOf<P>>(); }

    /// Calls `f` with the payload (of the data's own payload type) and returns what it returns.
    template <class F> decltype(auto) visit(F&& f) const {
        return std::visit(
            [&](const auto& stored) -> decltype(auto) {
                if constexpr (requires { stored.get(); })
                    return f(*stored);
                else
                    return f(stored);
            },
            storage);
    }

    /// The case name with the payload's fields in parentheses, for example `heading(level: 2)`.
    [[nodiscard]] std::string description() const;

    /// Same kind and equal payload fields; strings compare by canonical equivalence.
    friend bool operator==(const RawMarkupData& a, const RawMarkupData& b);

private:
    // Large payloads live behind a shared immutable box so that every node stays small.
    template <class P>
    static constexpr bool isBoxed = sizeof(P) > sizeof(std::optional<std::string>);
    template <class P> using Stored = std::conditional_t<isBoxed<P>, std::shared_ptr<const P>, P>;
    template <class P> static Stored<P> store(P payload) {
        if constexpr (isBoxed<P>)
            return std::make_shared<const P>(std::move(payload));
        else
            return payload;
    }
    template <class Tuple> struct StorageOf;
    template <class... P> struct StorageOf<std::tuple<P...>> {
        using type = std::variant<Stored<P>...>;
    };

    typename StorageOf<Payloads>::type storage;
};

} // namespace markdown
