#pragma once

// A raw tree as an indented outline, one node a line: its data, then its range when it has
// one ("1:3-1:9"). Tests write the expected outline out in full.

#include "Markdown/tree/RawMarkup.hpp"

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace markdown::testing {

inline std::string outline(const RawMarkupPtr& root) {
    std::string out;
    std::vector<std::pair<const RawMarkup*, int>> pending{{root.get(), 0}};
    while (!pending.empty()) {
        auto [node, depth] = pending.back();
        pending.pop_back();
        out += std::string(static_cast<std::size_t>(depth) * 2, ' ') + node->data().description();
        if (const auto& range = node->parsedRange())
            out += " " + range->diagnosticDescription(false);
        out += '\n';
        for (auto i = node->childCount() - 1; i >= 0; --i)
            pending.emplace_back(node->child(i).get(), depth + 1);
    }
    return out;
}

/// The node's own line of its outline, without the newline.
inline std::string outlineLine(const RawMarkupPtr& node) {
    std::string line = outline(node);
    return line.substr(0, line.find('\n'));
}

using KindCounts = std::map<RawMarkupKind, int>;

/// How often each kind stands on the path of first children below the root.
inline KindCounts kindsDownTheFirstChildren(const RawMarkupPtr& root) {
    KindCounts counts;
    for (const RawMarkup* node = root.get(); node->childCount() > 0;) {
        node = node->child(0).get();
        ++counts[node->kind()];
    }
    return counts;
}

} // namespace markdown::testing
