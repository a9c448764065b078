#pragma once

#include <cstdint>

namespace markdown {

/// The state of a task-list item's check box; an ordinary list item holds none.
enum class Checkbox : std::uint8_t { checked, unchecked };

} // namespace markdown
