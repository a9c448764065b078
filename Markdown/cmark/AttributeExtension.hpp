#pragma once

#include <memory>
#include <optional>
#include <string_view>

struct cmark_node;
struct cmark_plugin;

namespace markdown {

/// The name and node type string of our inline syntax extension. It turns
/// `^[text](attributes)` into an "attribute" node: a container whose children are the parsed
/// text and whose attribute text is what stands between the parentheses, unchanged.
///
/// The whole span lies on one line, so that every later node keeps its position. In the text,
/// brackets pair up, a backslash escapes the next punctuation character and code spans are
/// opaque. The attributes end at the first ")" outside double-quoted strings (where a backslash
/// escapes the next character) and hold no other parenthesis outside them. Attribute nodes nest
/// at most `attributeNestingLimit` deep; beyond that the caret stays text.
inline constexpr std::string_view attributeExtensionName = "attribute";
inline constexpr int attributeNestingLimit = 16;

/// Plugin entry for `cmark_register_plugin`: registers the extension. Returns 1 (success).
int registerAttributeExtension(cmark_plugin* plugin);

/// Lets table cells hold attribute nodes: the registered "table" extension allows only the
/// inline kinds it knows in a cell. Called once, after the core extensions have registered.
void allowAttributesInTableCells();

/// The attribute text of an attribute node; none for every other node.
[[nodiscard]] std::optional<std::string_view> attributeText(cmark_node* node);

/// While one lives, the extension remembers the bracket pairs of every text it scans on this
/// thread, so that a line full of carets is read once rather than once per caret. Made around
/// the inline phase of one parse, whose texts stay unchanged meanwhile.
class AttributeScanMemo {
public:
    AttributeScanMemo();
    ~AttributeScanMemo();
    AttributeScanMemo(const AttributeScanMemo&) = delete;
    AttributeScanMemo& operator=(const AttributeScanMemo&) = delete;

    struct ScannedTexts;

private:
    std::unique_ptr<ScannedTexts> texts;
    ScannedTexts* outer;
};

} // namespace markdown
