#pragma once

#include "Markdown/elements/MarkupWalker.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace markdown {

/// Prints a tree back as Markdown text, appending to `result` as it walks. It prints documents,
/// paragraphs, texts, soft and hard line breaks and tables; any other element stops the
/// program with "Formatter not implemented for " and the element's type name. A table's head,
/// body, rows and cells print only as part of their table.
class MarkupFormatter : public MarkupWalker {
public:
    struct Options {
        /// What a long line is broken with.
        enum class LineSplittingElement { softBreak, hardBreak };
        struct PreferredLineLimit {
            LineSplittingElement lineSplittingElement = LineSplittingElement::softBreak;
            std::int64_t maxLength = 0;
        };
        /// When present, the printed text is to be re-wrapped, so the source's soft breaks
        /// are not kept.
        std::optional<PreferredLineLimit> preferredLineLimit;
    };

    /// Where printing stands. Lengths count characters (grapheme clusters).
    struct State {
        /// The length of the line being printed.
        std::int64_t currentLength = 0;
        /// Line ends owed before the next printed text.
        std::int64_t queuedNewlines = 0;
        /// Line ends printed in a row at the end of `result`.
        std::int64_t newlineStreak = 0;
        /// The length of the last line ended.
        std::int64_t lastLineLength = 0;
        /// Line ends printed so far.
        std::int64_t lineNumber = 0;
    };

    explicit MarkupFormatter(Options formattingOptions) : options(std::move(formattingOptions)) {}

    [[nodiscard]] const Options& formattingOptions() const { return options; }
    /// The Markdown text printed so far.
    [[nodiscard]] const std::string& result() const { return printed; }
    [[nodiscard]] const State& state() const { return current; }

    void defaultVisit(const Markup& markup) override;
    void visitDocument(const Document& document) override;
    void visitParagraph(const Paragraph& paragraph) override;
    void visitText(const Text& text) override;
    void visitSoftBreak(const SoftBreak& softBreak) override;
    void visitLineBreak(const LineBreak& lineBreak) override;
    void visitTable(const Table& table) override;
    void visitTableHead(const Table::Head& head) override;
    void visitTableBody(const Table::Body& body) override;
    void visitTableRow(const Table::Row& row) override;
    void visitTableCell(const Table::Cell& cell) override;

private:
    /// Prints the queued line ends, then the text; empty text prints nothing.
    void print(std::string_view text);
    void addToLine(std::string_view text);
    void queueNewlines(std::int64_t count);
    /// A block after printed text starts after a blank line.
    void startBlock();
    [[nodiscard]] std::string cellText(const Table::Cell& cell) const;

    Options options;
    std::string printed;
    State current;
};

/// The element printed as Markdown by a new `MarkupFormatter`. With a preferred line limit the
/// soft breaks are first turned into spaces, and a lone soft break prints as nothing.
[[nodiscard]] std::string format(const Markup& markup, const MarkupFormatter::Options& options);

} // namespace markdown
