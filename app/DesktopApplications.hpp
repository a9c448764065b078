#pragma once

#include "notes/runtime/GObjectPtr.hpp"

#include <gio/gio.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// What the desktop's registered applications (their desktop entries) say. Every call asks GIO,
// which keeps the entries it has read until it notices a change on disk.
namespace app {

/// The desktop ids under which this application is installed.
inline constexpr std::string_view ownDesktopIDs[] = {"org.lumenleaf.Lumenleaf.desktop",
                                                     "lumenleaf.desktop"};

/// The content type of the item at the path: "inode/directory" for a folder, else what its
/// name says; a missing item is judged by its name.
[[nodiscard]] std::string contentTypeOf(const std::filesystem::path& path);

/// The applications that open items of the content type, the system's default first, without
/// this application.
[[nodiscard]] std::vector<notes::GObjectPtr<GAppInfo>>
otherApplicationsFor(const std::string& contentType);

/// Whether the Obsidian note application is installed: an application registered for
/// "obsidian:" addresses, or one whose desktop id begins with "md.obsidian".
[[nodiscard]] bool findObsidian();

} // namespace app
