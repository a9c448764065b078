#pragma once

#include "notes/LinkResolving.hpp"

#include "Markdown/URL.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace notes {

/// The wikilink targets of one rendering, each resolved once: a note names the same few notes
/// again and again, and every resolution looks at the disk.
class ResolvedTargets {
public:
    struct Target {
        std::optional<markdown::URL> url;
        std::string address; ///< The page address of `url`; empty without one.
    };

    /// What the resolver answers for the target from the current note, asked on first use.
    const Target& resolve(const LinkResolving& resolver, std::string_view name,
                          const std::optional<markdown::URL>& current);

private:
    std::unordered_map<std::string, Target> targets;
};

} // namespace notes
