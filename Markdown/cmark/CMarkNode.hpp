#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

struct cmark_node;

namespace markdown {

/// Where the parser puts a node: lines and columns count from 1, columns in UTF-8 bytes, and the
/// end column is that of the node's last byte. A code span covers only what lies between its
/// backtick runs. Unknown numbers are 0 (an end column may also be negative).
struct CMarkPosition {
    int startLine = 0;
    int startColumn = 0;
    int endLine = 0;
    int endColumn = 0;
    friend bool operator==(const CMarkPosition&, const CMarkPosition&) = default;
};

enum class CMarkListType { none, bullet, ordered };

/// A view of one node of a parsed tree, valid while its `CMarkDocument` lives. Texts point into
/// the tree and are valid as long. The empty view stands for "no node" (type string "NONE").
///
/// Reading a text may make the library convert the node's text in place, so one tree is read by
/// one thread at a time.
class CMarkNode {
public:
    CMarkNode() = default;
    explicit CMarkNode(cmark_node* node) : node(node) {}

    [[nodiscard]] explicit operator bool() const { return node != nullptr; }
    /// The library's node, for code that must call the library itself.
    [[nodiscard]] cmark_node* raw() const { return node; }

    /// "document", "paragraph", "code", "item", "tasklist", "table_header", "attribute", ...
    [[nodiscard]] std::string_view typeString() const;
    [[nodiscard]] CMarkPosition position() const;

    /// The text of a text, code, code block, HTML or custom inline node; none for others.
    [[nodiscard]] std::optional<std::string_view> literal() const;
    /// 1 to 6 for a heading, 0 for other nodes.
    [[nodiscard]] int headingLevel() const;
    [[nodiscard]] CMarkListType listType() const;
    /// The number of an ordered list's first item as written.
    [[nodiscard]] int listStart() const;
    /// A code block's info string (empty for an indented block); none for other nodes.
    [[nodiscard]] std::optional<std::string_view> fenceInfo() const;
    /// A link's or image's destination and title (empty when not written); none for others.
    [[nodiscard]] std::optional<std::string_view> url() const;
    [[nodiscard]] std::optional<std::string_view> title() const;
    /// True for a task item ("tasklist") whose box is ticked.
    [[nodiscard]] bool isTaskChecked() const;

    /// An attribute node's attribute text, possibly empty; none for every other node.
    [[nodiscard]] std::optional<std::string_view> attributes() const;
    /// The length of the backtick run that opens a code span; 0 for every other node.
    [[nodiscard]] unsigned backtickCount() const;

    /// A table's column count; 0 for other nodes.
    [[nodiscard]] std::uint16_t tableColumns() const;
    /// A table's alignment bytes, one per column: 'l', 'c', 'r' or 0; empty for other nodes.
    [[nodiscard]] std::span<const std::uint8_t> tableAlignments() const;
    /// A table cell's spans: 1 for an ordinary cell, the count of columns or rows for a spanning
    /// cell, 0 where a neighbour's span covers it. Recorded only when the parse had
    /// `CMarkParser::tableCellSpans`; otherwise, and for other nodes, 1.
    [[nodiscard]] std::uint32_t colspan() const;
    [[nodiscard]] std::uint32_t rowspan() const;

    [[nodiscard]] CMarkNode parent() const;
    [[nodiscard]] CMarkNode firstChild() const;
    [[nodiscard]] CMarkNode next() const;

    friend bool operator==(CMarkNode, CMarkNode) = default;

private:
    cmark_node* node = nullptr;
};

} // namespace markdown
