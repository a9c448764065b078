#pragma once

#include "Markdown/tree/RawMarkup.hpp"
#include "notes/render/SourceText.hpp"
#include "notes/render/TypedText.hpp"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace notes {

/// Text that the parser placed nowhere, or wrongly, read back from the lines where it stands.
///
/// A table opens on the line after a paragraph, and the parser folds that paragraph into the
/// table's node: the table's range starts at the paragraph's first line, the paragraph and its
/// text get no range, and the header row and its cells are placed on that first line too. The
/// paragraph's lines are those of the table's range before its header row, which stands on the
/// line before the delimiter row. Texts are looked for in the order they are written, each
/// after the one found before it.
class FoldedText {
public:
    /// The lines of the paragraph folded into `table`, when `block` is that paragraph: a
    /// paragraph without a range, followed by a table whose header row is not its first line.
    [[nodiscard]] static std::optional<FoldedText> paragraphBefore(const markdown::RawMarkup& block,
                                                                   const markdown::RawMarkup& table,
                                                                   const SourceText& source);
    /// The header row's line of a table that took in a paragraph; none for any other table.
    [[nodiscard]] static std::optional<FoldedText> headerRow(const markdown::RawMarkup& table,
                                                             const SourceText& source);

    /// The first of the lines.
    [[nodiscard]] std::int64_t line() const { return line_; }

    /// Appends a text read back as typed after the last text found; guessed when the lines
    /// do not hold it there.
    void append(TypedText& run, std::string_view shown);

private:
    FoldedText(std::int64_t line, std::string_view lines)
        : line_(line), lines_(lines), budget_(lookingFactor * lines.size() + lookingReserve) {}

    // Finding every text costs a few looks at each byte of the lines; text they cannot hold
    // (a NUL the parser shows as U+FFFD) would cost a look at each byte per text.
    static constexpr std::size_t lookingFactor = 8;
    static constexpr std::size_t lookingReserve = 4096;

    std::int64_t line_;
    std::string_view lines_;
    std::size_t next_ = 0;
    std::size_t budget_;
};

} // namespace notes
