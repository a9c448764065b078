#pragma once

#include <filesystem>
#include <string_view>
#include <system_error>
#include <unistd.h>

namespace notes {

/// Replaces the file's contents so that it never holds a mix of old and new bytes: they go to
/// a temporary file in the same folder, which is flushed to disk, renamed over the file, and the
/// folder is flushed. The temporary file is made readable by its owner only and given the
/// original's permissions (and owner, where allowed; the group's bits are dropped where its group
/// cannot be kept) before the first byte is written, so no byte of the note is ever readable by
/// more users than the note is.
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
