#pragma once

#include "Markdown/elements/TableCell.hpp"
#include "Markdown/format/SoftBreakDeleter.hpp"

namespace markdown {

/// A table row is one line of Markdown, so a cell's soft breaks must not survive printing.
class Table::Cell::BreakDeleter : public SoftBreakDeleter {};

} // namespace markdown
