#pragma once

#include <filesystem>
#include <string_view>
#include <system_error>
#include <unistd.h>

namespace notes {

/// Replaces the file's contents so that it never holds a mix of old and new bytes: they go to
/// a temporary file in the same folder, which is flushed to disk, given the original's
/// permissions (and owner, where allowed), renamed over the file, and the folder is flushed.
///
/// A symbolic link is written through to its target and stays a link. A file that nobody may
/// write is refused with `permission_denied`, even where the process could write it anyway
/// (the super-user), since a rename would otherwise replace it. A missing file is created.
/// On failure the file is as it was and no temporary file is left behind; after a success, the
/// temporary files that interrupted saves left in the folder minutes ago are removed. Returns
/// the failure, or an empty code. `sync` flushes a file or folder to disk; tests pass their own
/// to see what is flushed when.
[[nodiscard]] std::error_code writeFileAtomically(const std::filesystem::path& path,
                                                  std::string_view bytes,
                                                  int (*sync)(int fd) = ::fsync);

} // namespace notes
