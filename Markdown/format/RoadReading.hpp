#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace markdown {

/// How the block-directive road reads the printed lines of a fenced code block. It groups lines
/// before any CommonMark parse, so it knows code only by a toggle: every line that starts with
/// three backticks or tildes after its indentation flips it, whatever the line stands in. Where
/// the toggle is off, a code line may read as a directive, a Doxygen command or a closing brace.
struct RoadReading {
    /// Whether the toggle is on after the lines.
    bool endsInCode = false;
    /// Whether every code line the toggle leaves off is one the road reads as text.
    bool codeKept = true;

    /// The reading, from the toggle's state `inCode`, of an opening line (with its prefixes),
    /// the code's lines, each after `restPrefix`, and the closing fence line when there is one.
    /// A closing brace matters only `inDirective`; a line indented by `codeColumns` or more is
    /// code, never syntax.
    [[nodiscard]] static RoadReading of(bool inCode, bool inDirective, std::string_view openingLine,
                                        std::string_view restPrefix, std::string_view code,
                                        std::optional<std::string_view> closingLine,
                                        std::optional<std::int64_t> codeColumns = std::nullopt);
    /// The reading where the road keeps no toggle, as in a Doxygen command's lines: every code
    /// line that could be directive syntax is taken for it.
    [[nodiscard]] static RoadReading withoutToggle(std::string_view restPrefix,
                                                   std::string_view code);
};

/// The columns of the line's indentation, a tab reaching the next multiple of four.
[[nodiscard]] std::int64_t indentationColumns(std::string_view line);

/// A run of backticks that no backslash escapes, as CommonMark finds them in a paragraph's text:
/// an opening run carries the end of the code span it opens.
struct BacktickRun {
    std::size_t start = 0;
    std::size_t length = 0;
    std::optional<std::size_t> spanEnd;

    friend bool operator==(const BacktickRun&, const BacktickRun&) = default;
};

/// The bare runs of backticks of a laid-out text, in order.
[[nodiscard]] std::vector<BacktickRun> bareBacktickRuns(std::string_view text);

/// A paragraph's laid-out text with one line that opens with escaped backticks changed so that
/// the road flips its toggle there while CommonMark reads the same text; none where no line
/// can. The first line keeps the run bare only where a backtick after it keeps it from opening
/// code; a later line is indented as code, which a paragraph's continuation line does not open.
/// Where the text is wrapped (`mayBreak`), a line may end before such a run to make one.
[[nodiscard]] std::optional<std::string> withLineFlippingToggle(std::string_view text,
                                                                bool mayBreak);

/// A paragraph's laid-out text with one line changed so that the road's toggle flips there
/// once more or once less, each to be checked by reading it back: a line's run of three
/// backticks escaped or bare (indented as code past the first line, where a paragraph's
/// continuation line opens no code), or a run of three tildes bare past the first line; in a
/// paragraph (`mayEndLines`) also a line end in place of a space inside a code span, so that a
/// run of three backticks or tildes in its code opens the next line, or in place of the space
/// before a span that opens with such a run or before escaped tildes (made bare).
[[nodiscard]] std::vector<std::string> linesFlippingToggle(std::string_view text,
                                                           bool mayEndLines = false);

/// Whether two printed texts read as trees of the same structure.
[[nodiscard]] bool readAlike(std::string_view printed, std::string_view other);

/// Whether the road might read the line, unless it is code, as opening a directive or a Doxygen
/// command, or as closing the directive around it.
[[nodiscard]] bool mayReadAsDirectiveSyntax(std::string_view line, bool inDirective);

} // namespace markdown
