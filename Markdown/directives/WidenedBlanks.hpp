#pragma once

#include <cstdint>
#include <vector>

namespace markdown {

/// The leading blanks of one line of a directive's content as the CommonMark parser reads them:
/// what is left of them after the content indentation, every tab among them widened to the
/// spaces of the columns it covers in the line as written. The parser measures a tab from the
/// start of the text it gets, not from where the tab stood; as spaces, every later column of the
/// line stays where it was. Maps the columns of those spaces back onto the blanks as written.
class WidenedBlanks {
public:
    WidenedBlanks() = default;
    /// `firstColumn`: the column, in the line as written, of the first blank kept.
    explicit WidenedBlanks(std::int64_t firstColumn) : firstColumn(firstColumn) {}

    /// Appends a blank as written that the parser reads as `spaces` spaces.
    void append(std::int64_t spaces);

    /// The spaces the parser reads in place of the blanks.
    [[nodiscard]] std::int64_t spaces() const { return ends.empty() ? 0 : ends.back() - 1; }
    /// The column, in the line as written, of the blank that the parser's column `column`
    /// (1 to `spaces()`) stands in.
    [[nodiscard]] std::int64_t writtenColumn(std::int64_t column) const;

private:
    std::int64_t firstColumn = 1;
    // Per blank, the parser's column just after its spaces.
    std::vector<std::int64_t> ends;
};

} // namespace markdown
