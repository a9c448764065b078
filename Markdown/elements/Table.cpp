#include "Markdown/elements/Table.hpp"

namespace markdown {
namespace {

// The tree's own nodes always hold both; another shape is a broken invariant.
template <class Part> Part partOf(const Table& table, std::int64_t index) {
    auto child = table.childAt(index);
    require(child.has_value());
    auto part = child->as<Part>();
    require(part.has_value());
    return *std::move(part);
}

} // namespace

Table::Table(std::optional<ColumnAlignments> columnAlignments, const Head& header, const Body& body)
    : MarkupElement(RawMarkup::makeTable(std::move(columnAlignments).value_or(ColumnAlignments()),
                                         std::nullopt, header.raw().markup, body.raw().markup)) {}

void Table::setColumnAlignments(ColumnAlignments columnAlignments) {
    rebuild(std::move(columnAlignments), raw().markup->child(0), raw().markup->child(1));
}

Table::Head Table::head() const {
    return partOf<Head>(*this, 0);
}

void Table::setHead(const Head& head) {
    rebuild(columnAlignments(), head.raw().markup, raw().markup->child(1));
}

Table::Body Table::body() const {
    return partOf<Body>(*this, 1);
}

void Table::setBody(const Body& body) {
    rebuild(columnAlignments(), raw().markup->child(0), body.raw().markup);
}

std::int64_t Table::maxColumnCount() const {
    return RawMarkup::tableWidth(*head().raw().markup, *body().raw().markup);
}

bool Table::isEmpty() const {
    return head().isEmpty() && body().isEmpty();
}

void Table::rebuild(ColumnAlignments columnAlignments, RawMarkupPtr head, RawMarkupPtr body) {
    replaceData(data().replacingSelf(RawMarkup::makeTable(std::move(columnAlignments), std::nullopt,
                                                          std::move(head), std::move(body)),
                                     false));
}

} // namespace markdown
