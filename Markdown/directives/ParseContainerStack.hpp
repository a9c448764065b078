#pragma once

#include "Markdown/directives/ParseContainer.hpp"
#include "Markdown/elements/ParseOptions.hpp"
#include "Markdown/tree/TrimmedLine.hpp"

#include <cstddef>
#include <vector>

namespace markdown {

/// The open containers of the block-directive parser, bottom first; the bottom is the root
/// and stays. Lines go in one at a time through `accept`; closing a container moves it into
/// the payload of the one below, so after the last line and closing all but the root, the
/// root holds the whole tree.
class ParseContainerStack {
public:
    /// A stack holding one empty root. With `parseMinimalDoxygen` among the options, command
    /// lines such as "@param x" open Doxygen commands.
    explicit ParseContainerStack(ParseOptions options = {});

    /// Pushing a root onto a stack that is not empty stops the program.
    void push(ParseContainer container);
    /// Removes the top; the stack must not be empty.
    ParseContainer pop();
    /// Moves the top into the payload of the container below it.
    void closeTop();
    /// Takes the next input line.
    void accept(const TrimmedLine& line);

    /// Lets the innermost block directive take its content indentation from the line, unless
    /// it has one or the line is blank.
    void updateIndentation(const TrimmedLine& line);
    /// Whether the line is code where it stands: indented 4 columns or more beyond the
    /// current content, a fence line, or inside a fenced block.
    [[nodiscard]] bool isCodeLine(const TrimmedLine& line) const;

    [[nodiscard]] const std::vector<ParseContainer>& stack() const { return containers; }
    /// The bottom of the stack.
    [[nodiscard]] const ParseContainer& root() const { return containers.front(); }
    [[nodiscard]] ParseOptions options() const { return parseOptions; }
    /// Some block directive on the stack is in its contents (`contents` proper).
    [[nodiscard]] bool hasDirectiveInContents() const { return directivesInContents > 0; }
    /// The top is a line run inside a fenced code block.
    [[nodiscard]] bool isInCodeFence() const;

private:
    const ParseContainer* parentOfTop() const;
    void acceptInDirective(const TrimmedLine& line);

    std::vector<ParseContainer> containers;
    ParseOptions parseOptions;
    // Kept with every push and pop so that the Doxygen test does not scan the stack per line.
    std::size_t directivesInContents = 0;
};

} // namespace markdown
