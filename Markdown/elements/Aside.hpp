#pragma once

#include "Markdown/elements/BlockMarkup.hpp"
#include "Markdown/elements/BlockQuote.hpp"

#include <optional>
#include <string>
#include <vector>

namespace markdown {

/// A block quote read as a callout: when its first paragraph begins with plain text holding a
/// colon, as in "Warning: the disk is full", the text before the colon names the kind, and
/// the content is the quote's blocks with that tag, the colon and the blanks after it taken
/// out of the first text. The content lives in a rewritten copy of the quote; the quote and
/// its tree stay as they are.
class Aside {
public:
    /// The kind of an aside, as its tag names it. Any string is a kind; the constants are the
    /// predefined ones. Kinds are equal when their raw values are canonically equivalent;
    /// letter case matters.
    struct Kind {
        explicit Kind(std::string rawValue) : rawValue(std::move(rawValue)) {}

        std::string rawValue;

        /// The raw value, spaced out for the four compound predefined kinds ("See Also").
        [[nodiscard]] std::string displayName() const;

        /// The 24 predefined kinds, `note` first and `seeAlso` last.
        [[nodiscard]] static const std::vector<Kind>& allCases();

        static const Kind note;
        static const Kind tip;
        static const Kind important;
        static const Kind experiment;
        static const Kind warning;
        static const Kind attention;
        static const Kind author;
        static const Kind authors;
        static const Kind bug;
        static const Kind complexity;
        static const Kind copyright;
        static const Kind date;
        static const Kind invariant;
        static const Kind mutatingVariant;
        static const Kind nonMutatingVariant;
        static const Kind postcondition;
        static const Kind precondition;
        static const Kind remark;
        static const Kind requires_;
        static const Kind since;
        static const Kind todo;
        static const Kind version;
        static const Kind throws;
        static const Kind seeAlso;

        friend bool operator==(const Kind& a, const Kind& b);
    };

    enum class TagRequirement {
        /// A tag is required and may not contain a space.
        requireSingleWordTag,
        /// A tag is required; spaces are allowed.
        requireAnyLengthTag,
        /// A tag is taken when there is one; without one the aside is a note.
        tagNotRequired,
    };

    /// The quote as an aside of its tag's kind, or as a note of its own blocks when it has no
    /// tag.
    explicit Aside(const BlockQuote& blockQuote);
    /// The same, except that with a requirement other than `tagNotRequired` a quote without a
    /// suitable tag gives none.
    [[nodiscard]] static std::optional<Aside> withTagRequirement(const BlockQuote& blockQuote,
                                                                 TagRequirement tagRequirement);

    [[nodiscard]] const Kind& kind() const { return asideKind; }
    [[nodiscard]] const std::vector<BlockMarkup>& content() const { return blocks; }
    /// Replaces the blocks held; no tree changes.
    void setContent(std::vector<BlockMarkup> content) { blocks = std::move(content); }

private:
    Aside(Kind kind, const BlockQuote& blockQuote);

    Kind asideKind;
    std::vector<BlockMarkup> blocks;
};

} // namespace markdown
