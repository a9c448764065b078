#pragma once

#include "Markdown/directives/PendingBlockDirective.hpp"
#include "Markdown/directives/PendingDoxygenCommand.hpp"
#include "Markdown/directives/RangeTracker.hpp"
#include "Markdown/elements/ParseOptions.hpp"
#include "Markdown/tree/RawMarkup.hpp"
#include "Markdown/tree/TrimmedLine.hpp"

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

namespace markdown {

/// A group of input lines found by the block-directive parser: the document, a run of
/// ordinary Markdown lines, a block directive with its content, or a Doxygen command with its
/// lines. Containers nest as deep as directives do; dropping or printing one never recurses.
class ParseContainer {
public:
    struct Root {
        std::vector<ParseContainer> children;
    };
    /// Consecutive ordinary lines, later parsed as CommonMark together.
    struct LineRun {
        std::vector<TrimmedLine> lines;
        /// The run currently stands inside an open fenced code block.
        bool isInCodeFence = false;
    };
    struct BlockDirective {
        PendingBlockDirective directive;
        std::vector<ParseContainer> children;
    };
    struct DoxygenCommand {
        PendingDoxygenCommand command;
        /// The opening line first, its parse position past the command.
        std::vector<TrimmedLine> lines;
    };
    using Value = std::variant<Root, LineRun, BlockDirective, DoxygenCommand>;

    /// From any one case.
    template <class Case>
    requires std::is_constructible_v<Value, Case&&> ParseContainer(Case&& container)
        : value(std::forward<Case>(container)) {}
    ParseContainer(ParseContainer&&) noexcept = default;
    ParseContainer& operator=(ParseContainer&&) noexcept = default;
    ~ParseContainer();

    /// The columns at which this container's content starts, given its parent (absent for the
    /// bottom of the stack): a line run takes its parent's.
    [[nodiscard]] std::int64_t indentationAdjustment(const ParseContainer* parent) const;

    /// The contained children, for the root and a block directive; else null.
    [[nodiscard]] std::vector<ParseContainer>* children();
    [[nodiscard]] const std::vector<ParseContainer>* children() const;

    /// The raw nodes this container gives its parent (absent for the root): a document for
    /// the root, the CommonMark blocks of a line run, one node for a directive or a command,
    /// each with its content converted beneath it. Blocks parsed from line runs get ranges in
    /// the input's lines and columns (without a source); every range converted widens
    /// `tracker`. `input` is the text the lines were cut from, which the argument tokens lie
    /// in. Any depth of nesting converts without recursion.
    [[nodiscard]] std::vector<RawMarkupPtr> convert(const ParseContainer* parent,
                                                    RangeTracker& tracker, ParseOptions options,
                                                    std::string_view input) const;

    /// A dump for diagnostics: one entry a line, children 4 spaces deeper than their parent.
    [[nodiscard]] std::string debugDescription() const;

    Value value;
};

} // namespace markdown
