#pragma once

#include "notes/vault/LinkResolving.hpp"

#include "Markdown/support/URL.hpp"

#include <functional>
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
    // Looked up by the name as written, without a copy of it.
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const {
            return std::hash<std::string_view>{}(name);
        }
    };

    std::unordered_map<std::string, Target, NameHash, std::equal_to<>> targets;
    NoteFolder folder;
};

} // namespace notes
