#pragma once

#include <cstdint>

namespace markdown {

/// How a table column is aligned; a column without alignment holds none. `Table` names it
/// `Table::ColumnAlignment`.
enum class ColumnAlignment : std::uint8_t { left, center, right };

} // namespace markdown
