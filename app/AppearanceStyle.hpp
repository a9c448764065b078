#pragma once

#include "reader/model/AppearanceMode.hpp"

namespace app {

/// Makes the application light or dark as the mode says: `system` leaves the choice to the
/// desktop's theme. The reading page follows through its colour scheme. Call after the
/// toolkit has started.
void applyAppearance(reader::AppearanceMode mode);

} // namespace app
