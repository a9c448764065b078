#pragma once

#include "reader/model/NoteRenderer.hpp"

namespace app {

/// The renderer every window's model turns notes into pages with. This is the one place where
/// the application chooses it.
[[nodiscard]] reader::NoteRenderer noteRenderer();

} // namespace app
