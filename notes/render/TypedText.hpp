#pragma once

#include "Markdown/tree/SourceRange.hpp"
#include "notes/render/SourceText.hpp"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace notes {

/// A run of text as the parser shows it, beside the same text as the user typed it. Notes are
/// parsed with smart punctuation, which turns straight quotes into curly ones, "--" into "–",
/// "---" into "—" and "..." into "…", and with backslash escapes and entities resolved.
/// Addresses, link targets and footnote labels must be taken as typed, while the text around
/// them keeps its typographic form; a character the user escaped must not start or end one.
class TypedText {
public:
    TypedText() = default;

    /// A text shown exactly as it was typed (a front-matter value: never smart-punctuated).
    [[nodiscard]] static TypedText asTyped(std::string_view text);
    /// A text whose typed form is guessed: every typographic character is read back straight,
    /// whether the parser made it or the user typed it.
    [[nodiscard]] static TypedText guessed(std::string_view shown);

    /// Appends the string of a parsed text element, read back from the source where the parser
    /// found it (`range`); guessed when its range is missing or does not lead to its text.
    void append(std::string_view shown, const std::optional<markdown::SourceRange>& range,
                const SourceText& source);
    /// Appends shown text read back from `source`, found at or near byte `hint` (the parser's
    /// positions can be a few bytes off); guessed when it is not found there.
    void append(std::string_view shown, std::string_view source, std::size_t hint);
    /// Appends shown text read back from the first place of `source` at or after byte `from`
    /// where it is found; gives the byte after it there, or none, with nothing appended, when
    /// it is not found. The bytes looked at are taken from `budget`, and the search ends when
    /// it runs out: text the source cannot hold must not cost a look at every byte each time.
    std::optional<std::size_t> appendFound(std::string_view shown, std::string_view source,
                                           std::size_t from, std::size_t& budget);
    void appendGuessed(std::string_view shown);

    /// The text from a byte offset of the shown text on; the offset must start a character.
    [[nodiscard]] TypedText suffix(std::size_t shownBegin) const;

    [[nodiscard]] const std::string& shown() const { return shown_; }
    [[nodiscard]] const std::string& text() const { return typed_; }
    [[nodiscard]] bool empty() const { return shown_.empty(); }

    /// The byte offset in the shown text that a byte offset of the typed text stands for. An
    /// offset inside the typed form of one character (between the dots of "...") gives the
    /// start of that character.
    [[nodiscard]] std::size_t shownOffset(std::size_t typedOffset) const;
    /// Whether the typed byte at the offset belongs to a character the user escaped.
    [[nodiscard]] bool isEscaped(std::size_t typedOffset) const;

private:
    /// Appends the shown text as typed at `start` of the source, when it is; gives the byte
    /// after it there. Otherwise sets `reached` to the byte where the two parted.
    std::optional<std::size_t> alignAt(std::string_view shown, std::string_view source,
                                       std::size_t start, std::size_t* reached = nullptr);
    void push(std::string_view typed, std::size_t shownOffset, bool escaped);
    /// The same as a push of each byte of `run`, typed as shown from `shownOffset` on.
    void pushAsShown(std::string_view run, std::size_t shownOffset);
    void keepOffsets();

    std::string shown_;
    std::string typed_;
    // The shown offset of every typed byte; empty while the two texts are the same.
    std::vector<std::size_t> shownOffsets_;
    std::vector<std::size_t> escaped_; // typed offsets of escaped bytes, ascending
};

} // namespace notes
