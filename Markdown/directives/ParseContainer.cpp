#include "Markdown/directives/ParseContainer.hpp"

#include "Markdown/support/DebugQuoted.hpp"
#include "Markdown/support/Overloaded.hpp"

#include <iterator>
#include <utility>

namespace markdown {
namespace {

void appendLine(std::string& out, std::size_t indent, std::string_view text) {
    out.append(indent, ' ');
    out += text;
    out += '\n';
}

void appendLines(std::string& out, std::size_t indent, const std::vector<TrimmedLine>& lines) {
    for (const TrimmedLine& line : lines)
        appendLine(out, indent, debugQuoted(line.rest()));
}

} // namespace

ParseContainer::~ParseContainer() {
    // Descendants are dropped here one by one, each after its own children were taken out, so
    // that a deep nesting does not recurse once per level.
    std::vector<ParseContainer>* own = children();
    if (own == nullptr || own->empty())
        return;
    std::vector<ParseContainer> pending(std::make_move_iterator(own->begin()),
                                        std::make_move_iterator(own->end()));
    own->clear();
    while (!pending.empty()) {
        ParseContainer next = std::move(pending.back());
        pending.pop_back();
        if (std::vector<ParseContainer>* grandchildren = next.children()) {
            std::move(grandchildren->begin(), grandchildren->end(), std::back_inserter(pending));
            grandchildren->clear();
        }
    }
}

std::vector<ParseContainer>* ParseContainer::children() {
    return const_cast<std::vector<ParseContainer>*>(std::as_const(*this).children());
}

const std::vector<ParseContainer>* ParseContainer::children() const {
    return std::visit(Overloaded{
                          [](const Root& root) { return &root.children; },
                          [](const BlockDirective& block) { return &block.children; },
                          [](const auto&) -> const std::vector<ParseContainer>* { return nullptr; },
                      },
                      value);
}

std::int64_t ParseContainer::indentationAdjustment(const ParseContainer* parent) const {
    return std::visit(
        Overloaded{
            [](const Root&) -> std::int64_t { return 0; },
            [&](const LineRun&) { return parent ? parent->indentationAdjustment(nullptr) : 0; },
            [](const BlockDirective& block) {
                return block.directive.innerIndentationColumnCount.value_or(
                    block.directive.atIndentationColumnCount);
            },
            [](const DoxygenCommand& doxygen) {
                return doxygen.command.innerIndentation.value_or(doxygen.command.atSignIndentation);
            },
        },
        value);
}

std::string ParseContainer::debugDescription() const {
    std::string out;
    std::vector<std::pair<const ParseContainer*, std::size_t>> pending{{this, 0}};
    while (!pending.empty()) {
        auto [container, indent] = pending.back();
        pending.pop_back();
        std::visit(
            Overloaded{
                [&](const Root&) { appendLine(out, indent, "* Root Document"); },
                [&](const LineRun& run) {
                    appendLine(out, indent, "* Line Run");
                    appendLines(out, indent + 2, run.lines);
                },
                [&](const BlockDirective& block) {
                    appendLine(out, indent,
                               "* Block directive '" + std::string(block.directive.name) + "'");
                    appendLine(out, indent + 2, "Arguments Text:");
                    for (const TrimmedLine::Lex& token : block.directive.argumentsText)
                        appendLine(out, indent + 4, debugQuoted(token.text));
                },
                [&](const DoxygenCommand& doxygen) {
                    appendLine(out, indent,
                               "* Doxygen command " + doxygen.command.kind.debugDescription());
                    appendLines(out, indent + 2, doxygen.lines);
                },
            },
            container->value);
        if (const std::vector<ParseContainer>* own = container->children()) {
            for (auto child = own->rbegin(); child != own->rend(); ++child)
                pending.emplace_back(&*child, indent + 4);
        }
    }
    return out;
}

} // namespace markdown
