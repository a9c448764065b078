#include "notes/LinkIndex.hpp"

#include "notes/PathText.hpp"
#include "notes/PlainText.hpp"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace notes {

using markdown::URL;

struct LinkIndex::Tables {
    std::optional<URL> root;
    std::unordered_map<std::string, URL> byRelativePath;
    std::unordered_map<std::string, std::vector<URL>> byName;
};

namespace {

// A target that names a folder ("Plan/", or a folder on disk) is not a note beside the current one.
std::optional<URL> fileBeside(const URL& current, const std::string& target) {
    std::string_view folder = deletingLastPathComponent(current.path());
    for (std::string_view suffix : {std::string_view(), std::string_view(".md")}) {
        std::string appended = target + std::string(suffix);
        if (appended.ends_with('/'))
            continue;
        std::string candidate = standardizedPath(appendingPathComponent(folder, appended));
        std::error_code error;
        std::filesystem::file_status status = std::filesystem::status(candidate, error);
        if (!error && std::filesystem::exists(status) && !std::filesystem::is_directory(status))
            return URL::fileURL(std::move(candidate));
    }
    return std::nullopt;
}

// The file whose path ends with the folders and name the key spells out.
std::optional<URL> fileMatchingFolders(const std::vector<URL>& candidates, std::string_view key) {
    std::string suffix = "/" + std::string(key);
    for (const URL& file : candidates) {
        std::string path = lowercased(file.path());
        if (path.ends_with(suffix) || deletingPathExtension(path).ends_with(suffix))
            return file;
    }
    return std::nullopt;
}

// The file sharing the longest leading run of path components with the current note's folder;
// the first of equals wins.
const URL& nearestFile(const std::vector<URL>& candidates, const URL& current) {
    std::vector<std::string_view> folder =
        pathComponents(deletingLastPathComponent(current.path()));
    const URL* nearest = nullptr;
    std::size_t longest = 0;
    for (const URL& file : candidates) {
        std::vector<std::string_view> components = pathComponents(file.path());
        auto shared =
            std::mismatch(folder.begin(), folder.end(), components.begin(), components.end()).first;
        auto run = static_cast<std::size_t>(shared - folder.begin());
        if (nearest == nullptr || run > longest) {
            nearest = &file;
            longest = run;
        }
    }
    return *nearest;
}

} // namespace

std::vector<std::string> normalizeLinkKey(std::string_view text) {
    std::string key = lowercased(text);
    std::string_view extension = pathExtension(key);
    if (!isMarkdownExtension(extension))
        return {std::move(key)};
    std::string bare = key.substr(0, key.size() - extension.size() - 1);
    return {std::move(key), std::move(bare)};
}

LinkIndex::LinkIndex() {
    static const auto empty = std::make_shared<const Tables>();
    tables = empty;
}

LinkIndex::LinkIndex(const std::optional<URL>& root, std::span<const URL> files) {
    auto built = std::make_shared<Tables>();
    std::string prefix;
    if (root) {
        built->root = standardizedURL(*root);
        prefix = built->root->path();
        if (!prefix.ends_with('/'))
            prefix += '/';
    }
    built->byRelativePath.reserve(files.size() * 2);
    built->byName.reserve(files.size() * 2);
    for (const URL& file : files) {
        std::string path = standardizedPath(file.path());
        std::string_view name = lastPathComponent(file.path());
        std::string_view relative =
            path.starts_with(prefix) ? std::string_view(path).substr(prefix.size()) : name;
        for (std::string& key : normalizeLinkKey(relative))
            built->byRelativePath.insert_or_assign(std::move(key), file);
        for (std::string& key : normalizeLinkKey(name))
            built->byName[std::move(key)].push_back(file);
    }
    tables = std::move(built);
}

const std::optional<URL>& LinkIndex::root() const {
    return tables->root;
}

const std::unordered_map<std::string, URL>& LinkIndex::byRelativePath() const {
    return tables->byRelativePath;
}

const std::unordered_map<std::string, std::vector<URL>>& LinkIndex::byName() const {
    return tables->byName;
}

std::optional<URL> LinkIndex::resolve(std::string_view target,
                                      const std::optional<URL>& current) const {
    // Decoding after trimming keeps an encoded blank ("%20") at either end.
    std::string_view trimmed = trimmingHorizontalWhitespace(target);
    std::string text = percentDecoded(trimmed).value_or(std::string(trimmed));
    std::string_view rest = text;
    while (true) {
        if (rest.starts_with('/'))
            rest.remove_prefix(1);
        else if (rest.starts_with("./"))
            rest.remove_prefix(2);
        else
            break;
    }
    if (rest.empty())
        return std::nullopt;
    const std::string written(rest);
    const std::string key = lowercased(written);

    if (current)
        if (std::optional<URL> beside = fileBeside(*current, written))
            return beside;

    if (auto found = tables->byRelativePath.find(key); found != tables->byRelativePath.end())
        return found->second;

    auto named = tables->byName.find(std::string(lastPathComponent(key)));
    if (named == tables->byName.end() || named->second.empty())
        return std::nullopt;
    const std::vector<URL>& candidates = named->second;
    if (candidates.size() == 1 || !current)
        return candidates.front();
    if (key.find('/') != std::string::npos)
        if (std::optional<URL> matching = fileMatchingFolders(candidates, key))
            return matching;
    return nearestFile(candidates, *current);
}

} // namespace notes
