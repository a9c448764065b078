#pragma once

#include "Markdown/tree/MarkupChildren.hpp"
#include "Markdown/tree/RawMarkup.hpp"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

namespace markdown {

/// The block-directive road's fence toggle as the printer plans it, block by block.
struct RoadPlan {
    using BlockPlace = std::pair<MarkupChildren::Iterator, MarkupChildren::Iterator>;
    /// The places of the containers around the block being printed, with the index of each in
    /// its parent and the toggle states its blocks may start in.
    struct Enclosing {
        std::optional<BlockPlace> at;
        const RawMarkup* parent = nullptr;
        std::int64_t index = 0;
        std::vector<std::uint8_t> entries;
    };

    /// The states that `entries` (as `entries` below) want after the block at `at`.
    [[nodiscard]] static std::uint8_t wantedAfter(const std::vector<std::uint8_t>& entries,
                                                  const std::optional<BlockPlace>& at);
    /// The states the blocks after the one being printed may start in.
    [[nodiscard]] std::uint8_t wantedAfter() const;

    /// Whether the toggle is on after what is printed.
    bool inCode = false;
    /// The states of the toggle (bit 0 off, bit 1 on) that each block of the container being
    /// printed may start in, so that it and the blocks after it read back, and last the states
    /// wanted after them all; empty where any will do. Found in one pass from the last block
    /// back, so that a block leaves the toggle as the blocks after it need.
    std::vector<std::uint8_t> entries;
    /// The place of the block being printed among its siblings, and their parent.
    std::optional<BlockPlace> blockPrinted;
    const RawMarkup* blocksParent = nullptr;
    std::vector<Enclosing> enclosing;
    /// For each list, the index from which on no item can flip the toggle.
    std::unordered_map<const RawMarkup*, std::int64_t> toggleCarriedFrom;
    /// The spaces before the fence of the code block last laid out indented.
    std::size_t fenceIndent = 1;
};

} // namespace markdown
