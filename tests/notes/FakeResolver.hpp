#pragma once

#include "notes/LinkResolving.hpp"
#include "notes/PlainText.hpp"

#include <initializer_list>
#include <map>
#include <string>
#include <utility>

namespace notes::testing {

/// Resolves the names it was given, in any letter case, and nothing else.
class FakeResolver final : public LinkResolving {
public:
    FakeResolver(std::initializer_list<std::pair<std::string, std::string>> pathsByName) {
        for (const auto& [name, path] : pathsByName)
            paths.emplace(lowercased(name), path);
    }

    [[nodiscard]] std::optional<markdown::URL>
    resolve(std::string_view target, const std::optional<markdown::URL>&) const override {
        auto found = paths.find(lowercased(target));
        if (found == paths.end())
            return std::nullopt;
        return markdown::URL::fileURL(found->second);
    }

private:
    std::map<std::string, std::string> paths;
};

} // namespace notes::testing
