#include "Markdown/directives/ContainerConversion.hpp"

#include "Markdown/cmark/CommonMarkConverter.hpp"
#include "Markdown/directives/LineRunText.hpp"
#include "Markdown/directives/RangeAdjuster.hpp"
#include "Markdown/support/Fatal.hpp"

#include <iterator>
#include <span>

namespace markdown {
namespace {

RawMarkupData doxygenData(const PendingDoxygenCommand::CommandKind& kind) {
    switch (kind.kind) {
    case PendingDoxygenCommand::CommandKind::param:
        return RawMarkupData::DoxygenParam{std::string(kind.parameterName)};
    case PendingDoxygenCommand::CommandKind::discussion:
        return RawMarkupData::DoxygenDiscussion{};
    case PendingDoxygenCommand::CommandKind::note:
        return RawMarkupData::DoxygenNote{};
    case PendingDoxygenCommand::CommandKind::abstract:
        return RawMarkupData::DoxygenAbstract{};
    case PendingDoxygenCommand::CommandKind::returns:
        return RawMarkupData::DoxygenReturns{};
    }
    fatal("Unknown Doxygen command kind");
}

void append(std::vector<RawMarkupPtr>& to, std::vector<RawMarkupPtr> nodes) {
    to.insert(to.end(), std::make_move_iterator(nodes.begin()),
              std::make_move_iterator(nodes.end()));
}

// A container whose children are still being converted.
struct Frame {
    const ParseContainer* container;
    std::size_t nextChild = 0;
    std::vector<RawMarkupPtr> converted;
    std::optional<SourceRange> range;
};

class Converter {
public:
    Converter(RangeTracker& tracker, ParseOptions options, std::string_view input)
        : tracker(tracker), options(options), input(input) {}

    // Starts a root or a block directive: a directive's own range counts before its content.
    Frame open(const ParseContainer& container) {
        Frame frame{&container, 0, {}, std::nullopt};
        if (const auto* block = std::get_if<ParseContainer::BlockDirective>(&container.value)) {
            frame.range = SourceRange(block->directive.atLocation, block->directive.endLocation);
            tracker.add(*frame.range);
        }
        return frame;
    }

    // The nodes of a root or a block directive once its children are converted.
    std::vector<RawMarkupPtr> close(Frame frame) {
        const auto* block = std::get_if<ParseContainer::BlockDirective>(&frame.container->value);
        if (block == nullptr)
            return {RawMarkup::create(RawMarkupData::Document{}, tracker.totalRange,
                                      std::move(frame.converted))};
        const PendingBlockDirective& directive = block->directive;
        RawMarkupData::BlockDirective payload{std::string(directive.name), directive.nameLocation,
                                              directive.argumentText(input)};
        return {RawMarkup::create(std::move(payload), frame.range, std::move(frame.converted))};
    }

    // The nodes of a line run or a Doxygen command, which hold lines and no containers.
    std::vector<RawMarkupPtr> leaf(const ParseContainer& container, const ParseContainer* parent) {
        if (const auto* run = std::get_if<ParseContainer::LineRun>(&container.value))
            return lines(run->lines, container.indentationAdjustment(parent));
        const auto& doxygen = std::get<ParseContainer::DoxygenCommand>(container.value);
        SourceRange range(doxygen.command.atLocation, doxygen.command.endLocation);
        tracker.add(range);
        // The lines stand in the command as a run stands in its parent.
        std::vector<RawMarkupPtr> content =
            lines(doxygen.lines, container.indentationAdjustment(nullptr));
        return {RawMarkup::create(doxygenData(doxygen.command.kind), range, std::move(content))};
    }

private:
    // The lines parsed as CommonMark, their ranges moved onto the input.
    std::vector<RawMarkupPtr> lines(std::span<const TrimmedLine> lines, std::int64_t indentation) {
        LineRunText run = LineRunText::make(lines, indentation);
        const Document parsed = parseString(run.text, std::nullopt, options);
        RangeAdjuster adjuster(run.startLine, tracker, std::move(run.trimmedIndentationPerLine),
                               std::move(run.widenedBlanksPerLine));
        for (const Markup& child : parsed.children())
            adjuster.visit(child);
        tracker = adjuster.ranges;
        std::span<const RawMarkupPtr> children = parsed.raw().markup->children();
        return {children.begin(), children.end()};
    }

    RangeTracker& tracker;
    ParseOptions options;
    std::string_view input;
};

} // namespace

std::vector<RawMarkupPtr> ParseContainer::convert(const ParseContainer* parent,
                                                  RangeTracker& tracker, ParseOptions options,
                                                  std::string_view input) const {
    Converter converter(tracker, options, input);
    if (children() == nullptr)
        return converter.leaf(*this, parent);
    // Directives nest as deep as the input does: convert with a heap stack of open containers.
    std::vector<Frame> frames;
    frames.push_back(converter.open(*this));
    for (;;) {
        Frame& top = frames.back();
        const std::vector<ParseContainer>& own = *top.container->children();
        if (top.nextChild < own.size()) {
            const ParseContainer& child = own[top.nextChild++];
            if (child.children() != nullptr)
                frames.push_back(converter.open(child));
            else
                append(top.converted, converter.leaf(child, top.container));
            continue;
        }
        std::vector<RawMarkupPtr> nodes = converter.close(std::move(top));
        frames.pop_back();
        if (frames.empty())
            return nodes;
        append(frames.back().converted, std::move(nodes));
    }
}

Document convertToDocument(const ParseContainer& root, std::string_view input,
                           const std::optional<URL>& source, ParseOptions options) {
    if (!std::holds_alternative<ParseContainer::Root>(root.value))
        fatal("Tried to convert a non-root container to a `Document`");
    RangeTracker tracker{SourceRange({1, 1, source}, {1, 1, source})};
    std::vector<RawMarkupPtr> converted = root.convert(nullptr, tracker, options, input);
    if (converted.size() != 1 || converted.front()->kind() != RawMarkupKind::document)
        fatal("Conversion from ParseContainer.document to RawMarkup.document failed");
    return Document::fromRaw(std::move(converted.front()));
}

} // namespace markdown
