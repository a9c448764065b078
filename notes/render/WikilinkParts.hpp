#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace notes {

/// The parts of a wikilink body "target#heading|alias". Each split happens at the first
/// separator; every part is trimmed of spaces and tabs.
struct WikilinkParts {
    std::string targetPart;             ///< Before the first "|".
    std::optional<std::string> alias;   ///< After the first "|"; nothing without one.
    std::string name;                   ///< The target before its first "#"; may be empty.
    std::optional<std::string> heading; ///< The target after its first "#", as written.
    /// The anchor of the heading in the linked note: its slug, a leading "^" (a block
    /// reference) dropped first.
    std::optional<std::string> anchor;
    std::string last; ///< The last non-empty "/"-separated component of the name.

    /// The parts of a body as it stands between the brackets; an escaped bar "\|" (as written
    /// inside table cells) counts as a bar.
    [[nodiscard]] static WikilinkParts parse(std::string_view body);
};

/// The size an embed's alias asks for: "300", "300x200", "300x", "x200".
struct EmbedSize {
    long long width = 0;
    std::optional<long long> height;

    friend bool operator==(const EmbedSize&, const EmbedSize&) = default;
};

/// The alias read as a size: split at "x" (either case), empty pieces dropped; the first piece
/// must be a whole decimal number (a sign allowed), the second gives the height when it is one
/// too. Nothing for any other alias, nor for a number too large to hold.
[[nodiscard]] std::optional<EmbedSize> parseEmbedSize(std::string_view alias);

} // namespace notes
