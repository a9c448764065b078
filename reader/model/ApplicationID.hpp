#pragma once

namespace reader {

/// The application's identifier: its name on the desktop and the domain of its log.
inline constexpr char applicationID[] = "org.lumenleaf.Lumenleaf";

} // namespace reader
