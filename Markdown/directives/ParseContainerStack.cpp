#include "Markdown/directives/ParseContainerStack.hpp"

#include "Markdown/support/CharacterBreaks.hpp"
#include "Markdown/support/Fatal.hpp"

#include <utility>

namespace markdown {
namespace {

using ParseState = PendingBlockDirective::ParseState;

const PendingBlockDirective* directiveIn(const ParseContainer& container) {
    const auto* block = std::get_if<ParseContainer::BlockDirective>(&container.value);
    return block ? &block->directive : nullptr;
}

bool isDirectiveInContents(const ParseContainer& container) {
    const PendingBlockDirective* directive = directiveIn(container);
    return directive && directive->parseState == ParseState::contents;
}

// One state step of a directive for a line that opened nothing new.
bool runStep(PendingBlockDirective& directive, const TrimmedLine& line, bool isCode) {
    if (directive.parseState == ParseState::argumentsText)
        return directive.parseArgumentsText(line);
    if (directive.parseState == ParseState::done || isCode)
        return false;
    switch (directive.parseState) {
    case ParseState::argumentsStart:
        return directive.parseArgumentsStart(line);
    case ParseState::argumentsEnd:
        return directive.parseArgumentsEnd(line);
    case ParseState::contentsStart:
        return directive.parseContentsStart(line);
    case ParseState::contents:
    case ParseState::contentsEnd:
        return directive.parseContents(line);
    case ParseState::argumentsText:
    case ParseState::done:
        break;
    }
    fatal("A closed block directive container cannot accept further lines of content.");
}

ParseContainer lineRunOf(const TrimmedLine& line) {
    return ParseContainer::LineRun{{line}, line.isCodeFence()};
}

} // namespace

ParseContainerStack::ParseContainerStack(ParseOptions options) : parseOptions(options) {
    push(ParseContainer::Root{});
}

void ParseContainerStack::push(ParseContainer container) {
    if (std::holds_alternative<ParseContainer::Root>(container.value) && !containers.empty())
        fatal("Cannot push additional document containers onto the parse container stack");
    if (isDirectiveInContents(container))
        ++directivesInContents;
    containers.push_back(std::move(container));
}

ParseContainer ParseContainerStack::pop() {
    require(!containers.empty());
    ParseContainer top = std::move(containers.back());
    containers.pop_back();
    if (isDirectiveInContents(top))
        --directivesInContents;
    return top;
}

void ParseContainerStack::closeTop() {
    require(containers.size() >= 2);
    ParseContainer child = pop();
    ParseContainer parent = pop();
    if (std::holds_alternative<ParseContainer::LineRun>(parent.value))
        fatal("Line runs cannot have children");
    if (std::holds_alternative<ParseContainer::DoxygenCommand>(parent.value))
        fatal("Doxygen commands cannot have children");
    parent.children()->push_back(std::move(child));
    push(std::move(parent));
}

const ParseContainer* ParseContainerStack::parentOfTop() const {
    return containers.size() >= 2 ? &containers[containers.size() - 2] : nullptr;
}

bool ParseContainerStack::isInCodeFence() const {
    const auto* run = std::get_if<ParseContainer::LineRun>(&containers.back().value);
    return run && run->isInCodeFence;
}

bool ParseContainerStack::isCodeLine(const TrimmedLine& line) const {
    require(!containers.empty());
    std::int64_t beyondContent =
        line.indentationColumnCount() - containers.back().indentationAdjustment(parentOfTop());
    return beyondContent >= 4 || line.isCodeFence() || isInCodeFence();
}

void ParseContainerStack::updateIndentation(const TrimmedLine& line) {
    // A line run or a command passes the line to the container it stands in.
    ParseContainer* target = &containers.back();
    if (!std::holds_alternative<ParseContainer::BlockDirective>(target->value))
        target = containers.size() >= 2 ? &containers[containers.size() - 2] : nullptr;
    auto* block = target ? std::get_if<ParseContainer::BlockDirective>(&target->value) : nullptr;
    if (block && !block->directive.innerIndentationColumnCount && !line.isEmptyOrAllWhitespace())
        block->directive.innerIndentationColumnCount = line.indentationColumnCount();
}

void ParseContainerStack::accept(const TrimmedLine& line) {
    if (line.isEmptyOrAllWhitespace()) {
        const PendingBlockDirective* directive = directiveIn(containers.back());
        if (std::holds_alternative<ParseContainer::DoxygenCommand>(containers.back().value) ||
            (directive && (directive->parseState == ParseState::argumentsStart ||
                           directive->parseState == ParseState::contentsStart ||
                           directive->parseState == ParseState::done)))
            closeTop();
    }

    if (auto command = PendingDoxygenCommand::parseOpeningLine(line, *this)) {
        if (containers.size() > 1)
            closeTop();
        push(ParseContainer::DoxygenCommand{std::move(command->first),
                                            {std::move(command->second)}});
        return;
    }

    updateIndentation(line);

    if (TrimmedLine rest = line; !isCodeLine(line)) {
        rest.lexWhitespace();
        if (isCharacterAt(rest.rest(), 0, '}')) {
            for (std::size_t i = containers.size(); i-- > 0;) {
                const PendingBlockDirective* directive = directiveIn(containers[i]);
                if (directive && directive->isInContents()) {
                    while (containers.size() > i + 1)
                        closeTop();
                    break;
                }
            }
        }
    }

    if (std::optional<PendingBlockDirective> directive =
            PendingBlockDirective::parseOpeningLine(line, *this)) {
        const ParseContainer& top = containers.back();
        if (!std::holds_alternative<ParseContainer::Root>(top.value) && !isDirectiveInContents(top))
            closeTop();
        std::optional<TrimmedLine> pendingLine = directive->pendingLine;
        bool done = directive->parseState == ParseState::done;
        push(ParseContainer::BlockDirective{std::move(*directive), {}});
        if (pendingLine)
            push(ParseContainer::LineRun{{std::move(*pendingLine)}, false});
        if (done)
            closeTop();
        return;
    }

    ParseContainer& top = containers.back();
    if (std::holds_alternative<ParseContainer::Root>(top.value)) {
        push(lineRunOf(line));
    } else if (auto* run = std::get_if<ParseContainer::LineRun>(&top.value)) {
        run->lines.push_back(line);
        run->isInCodeFence = run->isInCodeFence != line.isCodeFence();
    } else if (auto* doxygen = std::get_if<ParseContainer::DoxygenCommand>(&top.value)) {
        doxygen->lines.push_back(line);
        doxygen->command.addLine(line);
    } else {
        acceptInDirective(line);
    }
}

void ParseContainerStack::acceptInDirective(const TrimmedLine& line) {
    bool isCode = isCodeLine(line);
    // Popped and pushed back so that the count of directives in their contents stays right.
    ParseContainer top = pop();
    PendingBlockDirective& directive =
        std::get<ParseContainer::BlockDirective>(top.value).directive;
    // A refused line must leave the directive as it was. Its argument tokens stay out of the
    // copy, which would otherwise make a long argument list quadratic: a step appends tokens
    // only to a line it accepts.
    std::vector<TrimmedLine::Lex> tokens = std::exchange(directive.argumentsText, {});
    PendingBlockDirective before = directive;
    directive.argumentsText = std::move(tokens);

    if (runStep(directive, line, isCode)) {
        bool done = directive.parseState == ParseState::done;
        push(std::move(top));
        if (done)
            closeTop();
        return;
    }
    bool inContents = directive.isInContents();
    before.argumentsText = std::move(directive.argumentsText);
    directive = std::move(before);
    push(std::move(top));
    // A refused line ends the directive unless it is content, which goes into a line run.
    if (!inContents)
        closeTop();
    push(lineRunOf(line));
}

} // namespace markdown
