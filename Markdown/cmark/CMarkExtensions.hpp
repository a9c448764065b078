#pragma once

namespace markdown {

/// Registers the library's core extensions ("table", "strikethrough", "tasklist", "autolink",
/// "tagfilter") and ours ("attribute") once per process, so that parsers can find them by name.
/// Before that, stops the program unless the loaded cmark-gfm is the version the build saw. Safe
/// to call from any thread, any number of times.
void registerCMarkExtensions();

/// Stops the program unless `loadedVersion` (as `cmark_version()` gives it) is the version of the
/// headers the build saw: our extension code reads the library's internal structures.
void requireCMarkVersion(int loadedVersion);

} // namespace markdown
