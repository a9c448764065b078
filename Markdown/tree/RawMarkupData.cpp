#include "Markdown/tree/RawMarkupData.hpp"

#include "Markdown/support/DebugQuoted.hpp"
#include "Markdown/support/UnicodeText.hpp"

namespace markdown {
namespace {

using Data = RawMarkupData;

bool same(const std::string& a, const std::string& b) {
    return canonicallyEqual(a, b);
}
bool same(const std::optional<std::string>& a, const std::optional<std::string>& b) {
    return a.has_value() == b.has_value() && (!a || canonicallyEqual(*a, *b));
}

bool samePayload(const Data::CodeBlock& a, const Data::CodeBlock& b) {
    return same(a.code, b.code) && same(a.language, b.language);
}
bool samePayload(const Data::Heading& a, const Data::Heading& b) {
    return a.level == b.level;
}
bool samePayload(const Data::HTMLBlock& a, const Data::HTMLBlock& b) {
    return same(a.html, b.html);
}
bool samePayload(const Data::ListItem& a, const Data::ListItem& b) {
    return a.checkbox == b.checkbox;
}
bool samePayload(const Data::OrderedList& a, const Data::OrderedList& b) {
    return a.startIndex == b.startIndex;
}
bool samePayload(const Data::BlockDirective& a, const Data::BlockDirective& b) {
    return same(a.name, b.name) && a.nameLocation == b.nameLocation && a.arguments == b.arguments;
}
bool samePayload(const Data::InlineCode& a, const Data::InlineCode& b) {
    return same(a.code, b.code);
}
bool samePayload(const Data::CustomInline& a, const Data::CustomInline& b) {
    return same(a.text, b.text);
}
bool samePayload(const Data::Image& a, const Data::Image& b) {
    return same(a.source, b.source) && same(a.title, b.title);
}
bool samePayload(const Data::InlineHTML& a, const Data::InlineHTML& b) {
    return same(a.html, b.html);
}
bool samePayload(const Data::Link& a, const Data::Link& b) {
    return same(a.destination, b.destination) && same(a.title, b.title);
}
bool samePayload(const Data::Text& a, const Data::Text& b) {
    return same(a.string, b.string);
}
bool samePayload(const Data::SymbolLink& a, const Data::SymbolLink& b) {
    return same(a.destination, b.destination);
}
bool samePayload(const Data::InlineAttributes& a, const Data::InlineAttributes& b) {
    return same(a.attributes, b.attributes);
}
bool samePayload(const Data::Table& a, const Data::Table& b) {
    return a.columnAlignments == b.columnAlignments;
}
bool samePayload(const Data::TableCell& a, const Data::TableCell& b) {
    return a.colspan == b.colspan && a.rowspan == b.rowspan;
}
bool samePayload(const Data::DoxygenParam& a, const Data::DoxygenParam& b) {
    return same(a.name, b.name);
}
template <RawMarkupKind K> bool samePayload(const Data::Empty<K>&, const Data::Empty<K>&) {
    return true;
}

// Field texts in the form `label: value`, strings quoted.
std::string field(const std::optional<std::string>& text) {
    return text ? debugQuoted(*text) : "nil";
}
std::string field(std::optional<Checkbox> checkbox) {
    if (!checkbox)
        return "nil";
    return *checkbox == Checkbox::checked ? "checked" : "unchecked";
}
std::string field(std::optional<ColumnAlignment> alignment) {
    if (!alignment)
        return "nil";
    switch (*alignment) {
    case ColumnAlignment::left:
        return "left";
    case ColumnAlignment::center:
        return "center";
    case ColumnAlignment::right:
        return "right";
    }
    return "nil";
}

std::string fields(const Data::CodeBlock& p) {
    return debugQuoted(p.code) + ", language: " + field(p.language);
}
std::string fields(const Data::Heading& p) {
    return "level: " + std::to_string(p.level);
}
std::string fields(const Data::HTMLBlock& p) {
    return debugQuoted(p.html);
}
std::string fields(const Data::ListItem& p) {
    return "checkbox: " + field(p.checkbox);
}
std::string fields(const Data::OrderedList& p) {
    return "startIndex: " + std::to_string(p.startIndex);
}
std::string fields(const Data::BlockDirective& p) {
    std::string arguments;
    for (const auto& segment : p.arguments.segments)
        arguments += (arguments.empty() ? "" : ", ") + debugQuoted(segment.untrimmedText);
    return "name: " + debugQuoted(p.name) +
           ", nameLocation: " + (p.nameLocation ? p.nameLocation->description() : "nil") +
           ", arguments: [" + arguments + "]";
}
std::string fields(const Data::InlineCode& p) {
    return debugQuoted(p.code);
}
std::string fields(const Data::CustomInline& p) {
    return debugQuoted(p.text);
}
std::string fields(const Data::Image& p) {
    return "source: " + field(p.source) + ", title: " + field(p.title);
}
std::string fields(const Data::InlineHTML& p) {
    return debugQuoted(p.html);
}
std::string fields(const Data::Link& p) {
    return "destination: " + field(p.destination) + ", title: " + field(p.title);
}
std::string fields(const Data::Text& p) {
    return debugQuoted(p.string);
}
std::string fields(const Data::SymbolLink& p) {
    return "destination: " + field(p.destination);
}
std::string fields(const Data::InlineAttributes& p) {
    return "attributes: " + debugQuoted(p.attributes);
}
std::string fields(const Data::Table& p) {
    std::string list;
    for (auto alignment : p.columnAlignments)
        list += (list.empty() ? "" : ", ") + field(alignment);
    return "columnAlignments: [" + list + "]";
}
std::string fields(const Data::TableCell& p) {
    return "colspan: " + std::to_string(p.colspan) + ", rowspan: " + std::to_string(p.rowspan);
}
std::string fields(const Data::DoxygenParam& p) {
    return "name: " + debugQuoted(p.name);
}

} // namespace

std::string RawMarkupData::description() const {
    return visit([&](const auto& payload) -> std::string {
        std::string name(caseName(kind()));
        if constexpr (requires { fields(payload); })
            return name + "(" + fields(payload) + ")";
        else
            return name;
    });
}

bool operator==(const RawMarkupData& a, const RawMarkupData& b) {
    if (a.kind() != b.kind())
        return false;
    return a.visit([&](const auto& payload) {
        using P = std::decay_t<decltype(payload)>;
        return samePayload(payload, *b.getIf<P>());
    });
}

} // namespace markdown
