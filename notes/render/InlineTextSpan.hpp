#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace notes {

/// The note-vault constructs the Markdown parser leaves as plain text.
enum class InlineTextKind {
    wikilink,          ///< "[[body]]"
    embed,             ///< "![[body]]"
    footnoteReference, ///< "[^label]"
    highlight,         ///< "==text==", no "=" inside, not starting or ending with white space
    webAddress,        ///< "http://…" or "https://…" without trailing punctuation
};

/// Where one construct lies in a text, in bytes.
struct InlineTextSpan {
    InlineTextKind kind = InlineTextKind::wikilink;
    std::size_t begin = 0;
    std::size_t end = 0;
    /// The body, label, highlighted text or address.
    std::size_t contentBegin = 0;
    std::size_t contentEnd = 0;

    friend bool operator==(const InlineTextSpan&, const InlineTextSpan&) = default;
};

/// The first construct that starts at or after byte `from` (which starts a character). Where
/// several could start at one place, a wikilink or embed wins over a footnote reference, that
/// over a highlight, and that over an address:
/// - "[[body]]", "![[body]]": a body of one or more characters, none of them "[", "]" or a
///   line feed;
/// - "[^label]": a label of one or more characters, none of them "]" or white space;
/// - "==text==": text of one or more characters without "=" or a line feed, neither starting
///   nor ending with white space, up to the first "=";
/// - "http://" or "https://" after a character that is no letter, digit, mark or connector
///   (combining and format characters looked through), followed by one or more characters
///   other than white space, "<", ">" and the double quote; the address ends after the last
///   of them that is not one of . , : ; ' ! ? ) ] and is not the first.
/// White space is Unicode's. Ill-formed UTF-8 reads as U+FFFD, one per maximal ill-formed run.
[[nodiscard]] std::optional<InlineTextSpan> findInlineTextSpan(std::string_view text,
                                                               std::size_t from);

} // namespace notes
