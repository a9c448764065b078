#pragma once

#include <cstdint>
#include <initializer_list>

namespace markdown {

/// How Markdown text is parsed: a set of option bits. Any value is a valid set; bits without a
/// member have no effect. Notes are parsed with the empty set.
struct ParseOptions {
    std::uint64_t rawValue = 0;

    constexpr ParseOptions() = default;
    constexpr explicit ParseOptions(std::uint64_t rawValue) : rawValue(rawValue) {}
    /// The union of the members listed.
    constexpr ParseOptions(std::initializer_list<ParseOptions> members) {
        for (ParseOptions member : members)
            rawValue |= member.rawValue;
    }

    /// Splits the text into block directives first (the block-directive road); without it the
    /// whole text is parsed as CommonMark.
    static const ParseOptions parseBlockDirectives;
    /// A code span opened by two or more backticks becomes a symbol link.
    static const ParseOptions parseSymbolLinks;
    /// Leaves the parser's smart punctuation off.
    static const ParseOptions disableSmartOpts;
    /// Recognises Doxygen command lines; only on the block-directive road.
    static const ParseOptions parseMinimalDoxygen;
    /// Leaves the parser's source-position option off. The linked cmark-gfm places nodes all
    /// the same, so parsed nodes keep their ranges.
    static const ParseOptions disableSourcePosOpts;
    // The same two bits under the names the renderer's side uses.
    static const ParseOptions disableSmartPunctuation;
    static const ParseOptions disableSourcePositions;

    [[nodiscard]] constexpr bool isEmpty() const { return rawValue == 0; }
    /// True when every bit of `member` is set here.
    [[nodiscard]] constexpr bool contains(ParseOptions member) const {
        return (rawValue & member.rawValue) == member.rawValue;
    }
    [[nodiscard]] constexpr bool isSubset(ParseOptions of) const {
        return (rawValue & ~of.rawValue) == 0;
    }
    [[nodiscard]] constexpr bool isSuperset(ParseOptions of) const { return of.isSubset(*this); }
    [[nodiscard]] constexpr bool isDisjoint(ParseOptions with) const {
        return (rawValue & with.rawValue) == 0;
    }
    constexpr void insert(ParseOptions member) { rawValue |= member.rawValue; }
    constexpr void remove(ParseOptions member) { rawValue &= ~member.rawValue; }

    friend constexpr ParseOptions operator|(ParseOptions a, ParseOptions b) {
        return ParseOptions(a.rawValue | b.rawValue);
    }
    friend constexpr ParseOptions operator&(ParseOptions a, ParseOptions b) {
        return ParseOptions(a.rawValue & b.rawValue);
    }
    friend constexpr ParseOptions operator^(ParseOptions a, ParseOptions b) {
        return ParseOptions(a.rawValue ^ b.rawValue);
    }
    constexpr ParseOptions& operator|=(ParseOptions b) { return *this = *this | b; }
    constexpr ParseOptions& operator&=(ParseOptions b) { return *this = *this & b; }
    constexpr ParseOptions& operator^=(ParseOptions b) { return *this = *this ^ b; }
    friend constexpr bool operator==(ParseOptions, ParseOptions) = default;
};

inline constexpr ParseOptions ParseOptions::parseBlockDirectives{std::uint64_t{1}};
inline constexpr ParseOptions ParseOptions::parseSymbolLinks{std::uint64_t{2}};
inline constexpr ParseOptions ParseOptions::disableSmartOpts{std::uint64_t{4}};
inline constexpr ParseOptions ParseOptions::parseMinimalDoxygen{std::uint64_t{8}};
inline constexpr ParseOptions ParseOptions::disableSourcePosOpts{std::uint64_t{16}};
inline constexpr ParseOptions ParseOptions::disableSmartPunctuation = disableSmartOpts;
inline constexpr ParseOptions ParseOptions::disableSourcePositions = disableSourcePosOpts;

} // namespace markdown
