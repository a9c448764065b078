#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string_view>

namespace notes {

/// The page's own resources ("reader.css", "reader.js", "highlight.min.js"): the files of one
/// folder, looked up by name only.
class WebResources {
public:
    /// The files that every page loads.
    static constexpr std::array<std::string_view, 3> pageFiles{"reader.css", "reader.js",
                                                               "highlight.min.js"};

    /// The resources in `folder`. An empty path has no resources.
    explicit WebResources(std::filesystem::path folder);

    /// The application's resources: the folder named by LUMENLEAF_WEB_DIR when that is set,
    /// else the installed folder beside the running executable (which the build stages as
    /// well). Without either, no resources.
    [[nodiscard]] static WebResources located();

    /// The installed folder of an executable, when it exists: share/lumenleaf/Web in the
    /// installation prefix (the executable's folder is bin/) or beside the executable.
    [[nodiscard]] static std::optional<std::filesystem::path>
    installedFolder(const std::filesystem::path& executable);

    [[nodiscard]] const std::filesystem::path& folder() const { return root; }

    /// The path of the resource `name`, when the folder has an entry of that name. A name
    /// that is empty, "." or "..", or holds a "/" or a NUL byte is never found, so nothing
    /// outside the folder can be named.
    [[nodiscard]] std::optional<std::filesystem::path> resource(std::string_view name) const;

private:
    std::filesystem::path root;
};

} // namespace notes
