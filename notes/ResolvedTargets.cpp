#include "notes/ResolvedTargets.hpp"

#include "notes/ReaderURL.hpp"

namespace notes {

const ResolvedTargets::Target&
ResolvedTargets::resolve(const LinkResolving& resolver, std::string_view name,
                         const std::optional<markdown::URL>& current) {
    auto [entry, added] = targets.try_emplace(std::string(name));
    if (added) {
        entry->second.url = resolver.resolve(name, current);
        if (entry->second.url)
            entry->second.address = readerURL(*entry->second.url);
    }
    return entry->second;
}

} // namespace notes
