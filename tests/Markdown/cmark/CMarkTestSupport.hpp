#pragma once

#include "Markdown/cmark/CMarkIterator.hpp"
#include "Markdown/cmark/CMarkNode.hpp"

#include <string>
#include <string_view>
#include <vector>

namespace markdown::testing {

/// Every node of that type below `root`, in document order.
inline std::vector<CMarkNode> nodesOfType(CMarkNode root, std::string_view type) {
    std::vector<CMarkNode> found;
    CMarkIterator iterator(root);
    while (iterator.next() != CMarkEvent::done) {
        if (iterator.event() == CMarkEvent::enter && iterator.node().typeString() == type)
            found.push_back(iterator.node());
    }
    return found;
}

inline std::string describeChildren(CMarkNode node);

/// A subtree in one line: `text"a"`, `attribute[k](text"a")`, `emph(text"b")`, `softbreak`.
inline std::string describe(CMarkNode node) {
    std::string out(node.typeString());
    if (const auto literal = node.literal())
        return out + '"' + std::string(*literal) + '"';
    if (const auto attributes = node.attributes())
        out += '[' + std::string(*attributes) + ']';
    if (!node.firstChild())
        return node.attributes() ? out + "()" : out;
    return out + '(' + describeChildren(node) + ')';
}

/// The children of a node, described and joined by blanks.
inline std::string describeChildren(CMarkNode node) {
    std::string out;
    for (CMarkNode child = node.firstChild(); child; child = child.next())
        out += (out.empty() ? "" : " ") + describe(child);
    return out;
}

} // namespace markdown::testing
