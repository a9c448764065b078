#include "Markdown/cmark/CommonMarkConverter.hpp"

#include "Markdown/cmark/CMarkParser.hpp"
#include "Markdown/cmark/CMarkTableState.hpp"
#include "Markdown/cmark/CodeSpanBackticks.hpp"
#include "Markdown/cmark/ConversionStop.hpp"
#include "Markdown/cmark/ParserNodeKind.hpp"
#include "Markdown/cmark/TableCellSpans.hpp"
#include "Markdown/tree/RawMarkupBlocks.hpp"

#include <array>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include <cmark-gfm-extension_api.h>
#include <cmark-gfm.h>
#include <cmark-gfm/node.h>

namespace markdown {
namespace {

std::string ownedText(std::optional<std::string_view> text) {
    if (!text)
        conversionStop("Expected literal content for cmark node but got null pointer");
    return std::string(*text);
}

std::optional<std::string> nonEmpty(std::optional<std::string_view> text) {
    conversionRequire(text.has_value());
    if (text->empty())
        return std::nullopt;
    return std::string(*text);
}

/// One conversion of a parser tree. The parser's tree can nest tens of thousands of levels
/// (a line of `>`, a run of `*`), so containers wait on a heap stack until their children are
/// converted, and the converted children of every open container wait, in order, in one shared
/// buffer. When it consumes the tree, each node below the root is freed as soon as it is
/// converted, so that the parser's memory serves the raw nodes made after it.
class Converter {
public:
    Converter(CMarkNode root, const std::optional<URL>& source, ParseOptions options, bool consume)
        : root(root.raw()), source(source), options(options), consume(consume) {
        open.reserve(32);
        children.reserve(256);
    }

    RawMarkupPtr run() {
        conversionRequire(root != nullptr && kindOf(CMarkNode(root)) == ParserNodeKind::document);
        cmark_node* node = root;
        for (;;) {
            // A large tree is far out of the cache: ask for the next nodes while this one converts.
            __builtin_prefetch(node->next);
            __builtin_prefetch(node->first_child);
            enter(CMarkNode(node));
            if (isOpen(node) && node->first_child != nullptr) {
                node = node->first_child;
                continue;
            }
            // `node` is converted, or a container without children: leave it and every
            // container whose last child it is.
            for (;;) {
                if (isOpen(node)) {
                    RawMarkupPtr made = close(CMarkNode(node));
                    if (node == root) {
                        if (made->kind() != RawMarkupKind::document)
                            conversionStop(
                                "cmark top-level conversion didn't produce a RawMarkup.document");
                        return made;
                    }
                    children.push_back(std::move(made));
                }
                cmark_node* next = node->next;
                cmark_node* parent = node->parent;
                if (consume)
                    cmark_node_free(node);
                if (next != nullptr) {
                    node = next;
                    break;
                }
                node = parent;
            }
        }
    }

private:
    struct OpenContainer {
        CMarkNode node;
        ParserNodeKind kind;
        std::size_t firstChild; // in `children`
    };

    bool isOpen(cmark_node* node) const { return !open.empty() && open.back().node.raw() == node; }

    void enter(CMarkNode node) {
        const ParserNodeKind kind = kindOf(node);
        if (kind == ParserNodeKind::tableRow && tables.awaitsBody())
            tables.startBody(rangeOf(node));
        else if (kind == ParserNodeKind::table)
            recordTableCellSpansOf(node.raw());
        else if (kind == ParserNodeKind::code)
            backticks.record(node.raw());
        if (isLeaf(kind))
            children.push_back(convertLeaf(node, kind));
        else
            open.push_back({node, kind, children.size()});
    }

    // The open container at the top, converted from the children it has gathered.
    RawMarkupPtr close(CMarkNode node) {
        const OpenContainer container = open.back();
        open.pop_back();
        backticks.forget(node.raw());
        RawMarkupPtr made = convertContainer(container, rangeOf(node));
        children.resize(container.firstChild);
        return made;
    }

    // A core node's kind follows from its type number: names are compared once per type and
    // conversion, not per node. An extension names its nodes by their content (a table row may be
    // its header, an item a task), so those are known by the type string it gives.
    ParserNodeKind kindOf(CMarkNode node) {
        const cmark_node* raw = node.raw();
        if (raw->extension != nullptr) {
            // The extensions' type strings are literals: the same text, the same address.
            const char* name = cmark_node_get_type_string(node.raw());
            for (const auto& [known, kind] : extensionKinds)
                if (known == name)
                    return kind;
            return extensionKinds.emplace_back(name, kindNamed(name)).second;
        }
        const std::uint16_t type = raw->type;
        if ((type & ~0xC01F) != 0)
            return kindNamed(node.typeString());
        ParserNodeKind& kind = coreKinds[(type & 0x1F) | (type & 0x4000 ? 0x20 : 0)];
        if (kind == ParserNodeKind::none)
            kind = kindNamed(node.typeString());
        return kind;
    }

    static ParserNodeKind kindNamed(std::string_view type) {
        const auto kind = parserNodeKind(type);
        if (!kind || *kind == ParserNodeKind::none || *kind == ParserNodeKind::unknown)
            conversionStop("Unknown cmark node type '" + std::string(type) +
                           "' encountered during conversion");
        return *kind;
    }

    std::optional<SourceRange> rangeOf(CMarkNode node) const {
        return cmarkSourceRange(node.position(), node.backtickCount(), source);
    }

    RawMarkupPtr convertLeaf(CMarkNode node, ParserNodeKind kind) const {
        auto range = rangeOf(node);
        return RawMarkup::create(leafData(node, kind), std::move(range), std::span<RawMarkupPtr>());
    }

    RawMarkupData leafData(CMarkNode node, ParserNodeKind kind) const {
        switch (kind) {
        case ParserNodeKind::text:
            return RawMarkupData::Text{ownedText(node.literal())};
        case ParserNodeKind::htmlBlock:
            return RawMarkupData::HTMLBlock{ownedText(node.literal())};
        case ParserNodeKind::htmlInline:
            return RawMarkupData::InlineHTML{ownedText(node.literal())};
        case ParserNodeKind::customInline:
            return RawMarkupData::CustomInline{ownedText(node.literal())};
        case ParserNodeKind::codeBlock: {
            const auto info = node.fenceInfo();
            conversionRequire(info.has_value());
            std::optional<std::string> language;
            if (!info->empty())
                language = std::string(*info);
            return RawMarkupData::CodeBlock{ownedText(node.literal()), std::move(language)};
        }
        case ParserNodeKind::code: {
            std::string code = ownedText(node.literal());
            if (options.contains(ParseOptions::parseSymbolLinks) && node.backtickCount() >= 2)
                return RawMarkupData::SymbolLink{std::move(code)};
            return RawMarkupData::InlineCode{std::move(code)};
        }
        case ParserNodeKind::softBreak:
            return RawMarkupData::SoftBreak{};
        case ParserNodeKind::lineBreak:
            return RawMarkupData::LineBreak{};
        case ParserNodeKind::thematicBreak:
            return RawMarkupData::ThematicBreak{};
        default:
            conversionStop();
        }
    }

    // At the container's exit event, with its children converted.
    RawMarkupPtr convertContainer(const OpenContainer& container,
                                  std::optional<SourceRange> range) {
        auto made = std::span(children).subspan(container.firstChild);
        switch (container.kind) {
        case ParserNodeKind::table:
            tables.leaveTable(range);
            return tables.makeTable(container.node, std::move(range), made);
        case ParserNodeKind::tableHeader:
            tables.leaveHeader();
            [[fallthrough]];
        case ParserNodeKind::tableRow:
            for (const auto& cell : made)
                conversionRequire(cell->kind() == RawMarkupKind::tableCell);
            break;
        case ParserNodeKind::list:
            for (const auto& item : made) {
                if (item->kind() != RawMarkupKind::listItem)
                    conversionStop("Converted cmark list had a node other than RawMarkup.listItem");
            }
            break;
        default:
            break;
        }
        return RawMarkup::create(containerData(container), std::move(range), made);
    }

    static RawMarkupData containerData(const OpenContainer& container) {
        const CMarkNode node = container.node;
        switch (container.kind) {
        case ParserNodeKind::document:
            return RawMarkupData::Document{};
        case ParserNodeKind::blockQuote:
            return RawMarkupData::BlockQuote{};
        case ParserNodeKind::customBlock:
            return RawMarkupData::CustomBlock{};
        case ParserNodeKind::paragraph:
            return RawMarkupData::Paragraph{};
        case ParserNodeKind::heading:
            return RawMarkupData::Heading{node.headingLevel()};
        case ParserNodeKind::list:
            return listData(node);
        case ParserNodeKind::item:
            return RawMarkupData::ListItem{};
        case ParserNodeKind::tasklist:
            return RawMarkupData::ListItem{node.isTaskChecked() ? Checkbox::checked
                                                                : Checkbox::unchecked};
        case ParserNodeKind::emph:
            return RawMarkupData::Emphasis{};
        case ParserNodeKind::strong:
            return RawMarkupData::Strong{};
        case ParserNodeKind::strikethrough:
            return RawMarkupData::Strikethrough{};
        case ParserNodeKind::link:
            return RawMarkupData::Link{nonEmpty(node.url()), nonEmpty(node.title())};
        case ParserNodeKind::image:
            return RawMarkupData::Image{nonEmpty(node.url()), nonEmpty(node.title())};
        case ParserNodeKind::attribute: {
            const auto attributes = node.attributes();
            conversionRequire(attributes.has_value());
            return RawMarkupData::InlineAttributes{std::string(*attributes)};
        }
        case ParserNodeKind::tableHeader:
            return RawMarkupData::TableHead{};
        case ParserNodeKind::tableRow:
            return RawMarkupData::TableRow{};
        case ParserNodeKind::tableCell:
            return RawMarkupData::TableCell{node.colspan(), node.rowspan()};
        default:
            conversionStop();
        }
    }

    static RawMarkupData listData(CMarkNode node) {
        switch (node.listType()) {
        case CMarkListType::ordered: {
            const int start = node.listStart();
            conversionRequire(start >= 0);
            return RawMarkupData::OrderedList{static_cast<std::uint64_t>(start)};
        }
        case CMarkListType::bullet:
            return RawMarkupData::UnorderedList{};
        default:
            conversionStop("cmark reported a list node but said its list type is CMARK_NO_LIST?");
        }
    }

    cmark_node* root;
    const std::optional<URL>& source;
    ParseOptions options;
    bool consume;
    CMarkTableState tables;
    CodeSpanBackticks backticks;
    std::vector<OpenContainer> open;
    std::vector<RawMarkupPtr> children; // of every open container, in document order
    // By the low bits of the type number of block (0x8000) and inline (0xC000) nodes; none
    // until first met.
    std::array<ParserNodeKind, 0x40> coreKinds = filledWithNone();
    std::vector<std::pair<const char*, ParserNodeKind>> extensionKinds;

    static std::array<ParserNodeKind, 0x40> filledWithNone() {
        std::array<ParserNodeKind, 0x40> kinds{};
        kinds.fill(ParserNodeKind::none);
        return kinds;
    }
};

} // namespace

int cmarkOptionBits(ParseOptions options) {
    int bits = CMarkParser::tableCellSpans;
    if (!options.contains(ParseOptions::disableSmartOpts))
        bits |= CMarkParser::smartPunctuation;
    if (!options.contains(ParseOptions::disableSourcePosOpts))
        bits |= CMarkParser::sourcePositions;
    return bits;
}

std::optional<SourceRange> cmarkSourceRange(const CMarkPosition& position, unsigned backtickCount,
                                            const std::optional<URL>& source) {
    if (position.startLine <= 0 || position.startColumn <= 0)
        return std::nullopt;
    if (position.endLine <= 0 || position.endColumn < 0)
        return std::nullopt;
    const std::int64_t widen = backtickCount;
    const std::int64_t startColumn = position.startColumn - widen;
    const std::int64_t endColumn = position.endColumn + widen + 1;
    // Compared as locations compare, before any is made: most nodes are fine, and each
    // location carries a copy of the source.
    if (position.endLine < position.startLine ||
        (position.endLine == position.startLine && endColumn < startColumn))
        return std::nullopt;
    return std::optional<SourceRange>(std::in_place,
                                      SourceLocation(position.startLine, startColumn, source),
                                      SourceLocation(position.endLine, endColumn, source));
}

RawMarkupPtr convertCMarkDocument(CMarkNode document, const std::optional<URL>& source,
                                  ParseOptions options) {
    return Converter(document, source, options, false).run();
}

RawMarkupPtr convertCMarkDocument(CMarkDocument document, const std::optional<URL>& source,
                                  ParseOptions options) {
    // The parser's memory becomes the raw nodes' as it comes free; the tree goes first.
    rawMarkupBlocks::SpareMemory spare;
    CMarkDocument tree = std::move(document);
    tree.returnFreedMemory(
        [&spare](std::byte* chunk, std::size_t size) { spare.add(chunk, size); });
    return Converter(tree.root(), source, options, true).run();
}

RawMarkupPtr parseRawDocument(std::string_view text, const std::optional<URL>& source,
                              ParseOptions options) {
    CMarkDocument parsed =
        CMarkParser::parse(text, cmarkOptionBits(options), CMarkParser::Annotations::leaveToCaller);
    // Freeing the parser's tree as it converts keeps a large parse from holding two whole trees
    // at once; a small tree (a few MB at most) costs less time kept to the end and dropped whole.
    constexpr std::size_t freedFrom = std::size_t{256} << 10;
    if (text.size() >= freedFrom)
        return convertCMarkDocument(std::move(parsed), source, options);
    return convertCMarkDocument(parsed.root(), source, options);
}

Document parseString(std::string_view text, const std::optional<URL>& source,
                     ParseOptions options) {
    return Document::fromRaw(parseRawDocument(text, source, options));
}

} // namespace markdown
