#include "notes/render/ResolvedTargets.hpp"

#include "notes/text/ReaderURL.hpp"

namespace notes {

const ResolvedTargets::Target&
ResolvedTargets::resolve(const LinkResolving& resolver, std::string_view name,
                         const std::optional<markdown::URL>& current) {
    if (auto found = targets.find(name); found != targets.end())
        return found->second;
    Target& target = targets.try_emplace(std::string(name)).first->second;
    target.url = resolver.resolve(name, current, folder);
    if (target.url)
        target.address = readerURL(*target.url);
    return target;
}

} // namespace notes
