#pragma once

#include "Markdown/format/InlineText.hpp"
#include "Markdown/tree/RawMarkup.hpp"

#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

namespace markdown {

// How the parser reads back a run of printed inline elements.

/// Where an emphasis or strikethrough run stands in the printed inline text.
struct DelimiterRunPlace {
    std::size_t span = 0;
    std::size_t offset = 0;
    std::size_t length = 0;
    bool opening = false;
};

/// Whether the run can only open (or only close) and joins nothing: space or plain punctuation
/// outside it, a plain character inside it (a letter or digit where punctuation is outside).
/// Such runs read back as printed; others are checked.
[[nodiscard]] bool standsClear(std::string_view text, const DelimiterRunPlace& run);

/// The characters of texts beside `runs` that had better be printed as references, which flank
/// a run as punctuation: a word character outside a run (beside which the run may both open and
/// close, or an underscore neither) and a space inside one (beside which it does neither). The
/// parser looks through tildes for them. Offsets ascend, each the start of a character.
[[nodiscard]] std::vector<std::size_t>
charactersToReference(const InlineText& text, std::span<const DelimiterRunPlace> runs);

/// How `text`, parsed as a paragraph of its own, compares with the inline children of
/// `container`: the same structure, or how many steps of a walk through both agree before they
/// part. `softBreaksAsSpaces` compares wrapped text, whose line ends fall anywhere.
struct InlineReading {
    bool same = false;
    std::size_t agreeing = 0;
};
[[nodiscard]] InlineReading readBack(std::string_view text, const RawMarkup& container,
                                     bool softBreaksAsSpaces = false);

} // namespace markdown
