#pragma once

#include "Markdown/support/URL.hpp"

#include <string>
#include <string_view>
#include <vector>

// Path text as file addresses treat it, which differs from std::filesystem in places: the last
// component of "folder/" is "folder", and a name whose only dot comes first (".md") has no
// extension. Paths are "/"-separated UTF-8 text; nothing here touches the disk.
namespace notes {

/// The path with "." components dropped, ".." components taken back against the component before
/// them, repeated and trailing slashes removed ("/a/./b/../c//" -> "/a/c"). ".." above the root
/// stays at the root; a relative path keeps its leading "..". Symbolic links are not resolved.
[[nodiscard]] std::string standardizedPath(std::string_view path);

/// True when standardizedPath would give the path back unchanged.
[[nodiscard]] bool isStandardizedPath(std::string_view path);

/// The URL of the standardized path.
[[nodiscard]] markdown::URL standardizedURL(const markdown::URL& url);

/// The last component, ignoring trailing slashes: "/a/b.md" -> "b.md", "/a/" -> "a", "/" -> "/".
[[nodiscard]] std::string_view lastPathComponent(std::string_view path);

/// The path without its last component: "/a/b" -> "/a", "/a" -> "/", "b" -> "", "/" -> "/".
[[nodiscard]] std::string_view deletingLastPathComponent(std::string_view path);

/// The path with the component appended after a single "/" ("" + "b" -> "b").
[[nodiscard]] std::string appendingPathComponent(std::string_view path, std::string_view component);

/// The path's components: "/a//b/" -> {"/", "a", "b"}; a relative path has no "/" component.
[[nodiscard]] std::vector<std::string_view> pathComponents(std::string_view path);

/// The text after the last "." of the last component, as written: "Plan.MD" -> "MD". Empty when
/// there is no dot, or when the only dot starts the name (".md", "..").
[[nodiscard]] std::string_view pathExtension(std::string_view path);

/// The path without its extension and that dot ("a/Plan.md" -> "a/Plan"; "a/.md" unchanged).
/// Trailing slashes go too.
[[nodiscard]] std::string_view deletingPathExtension(std::string_view path);

/// True for the extensions of Markdown notes ("md", "markdown", "mdown", "mkd"), in any case.
[[nodiscard]] bool isMarkdownExtension(std::string_view extension);

/// True when the path's last component has a Markdown extension ("Plan.MD").
[[nodiscard]] bool hasMarkdownExtension(std::string_view path);

} // namespace notes
