#include "notes/vault/FileNode.hpp"

namespace {

void combine(std::size_t& seed, std::size_t value) {
    seed ^= value + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2);
}

} // namespace

std::size_t std::hash<notes::FileNode>::operator()(const notes::FileNode& node) const noexcept {
    std::size_t seed = std::hash<markdown::URL>{}(node.url);
    combine(seed, std::hash<std::string>{}(node.name));
    combine(seed, node.children.has_value());
    if (node.children)
        for (const notes::FileNode& child : *node.children)
            combine(seed, (*this)(child));
    return seed;
}
