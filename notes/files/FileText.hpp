#pragma once

#include <string>
#include <string_view>
#include <system_error>
#include <variant>

namespace notes {

/// The line break a note's text uses.
enum class LineEnding { lf, crlf };

/// The break that dominates in the text: `crlf` only when CR LF pairs outnumber bare LFs.
[[nodiscard]] LineEnding detectLineEnding(std::string_view text);

/// Typed or pasted text in the file's convention: for `crlf`, every LF not already after a CR
/// gets one; lone CRs and existing pairs stay. For `lf`, and text without LF, the text comes
/// back as it was.
[[nodiscard]] std::string convertLineBreaks(std::string text, LineEnding to);

/// A note file opened for editing: its text exactly as in the file, whether it began with a
/// UTF-8 byte-order mark, and its dominant line break. Only files that come back byte for
/// byte are accepted, so saving never changes a byte the user did not change.
struct FileText {
    /// Why a file cannot be edited; usable as a `std::error_code` whose message is the one the
    /// user sees.
    enum class ReadError { notUTF8 = 1 };

    std::string text; ///< Everything after the mark; CRs stay where the file has them.
    bool hasBOM = false;
    LineEnding lineEnding = LineEnding::lf;

    /// Accepts only strict UTF-8 (NUL allowed); anything else is `notUTF8`.
    [[nodiscard]] static std::variant<FileText, ReadError> decode(std::string_view bytes);
    /// The bytes to write: the mark when `hasBOM`, then the text as it stands.
    [[nodiscard]] std::string encoded() const;

    friend bool operator==(const FileText&, const FileText&) = default;
};

[[nodiscard]] const std::error_category& fileTextCategory() noexcept;
[[nodiscard]] std::error_code make_error_code(FileText::ReadError error) noexcept;

} // namespace notes

template <> struct std::is_error_code_enum<notes::FileText::ReadError> : std::true_type {};
