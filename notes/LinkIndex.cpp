#include "notes/LinkIndex.hpp"

#include "notes/CharacterText.hpp"
#include "notes/PathText.hpp"
#include "notes/PlainText.hpp"

#include "Markdown/UnicodeText.hpp"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <memory_resource>
#include <system_error>

namespace notes {

using markdown::URL;

namespace {

constexpr std::uint32_t none = UINT32_MAX;

// A string-keyed table of numbers, sized once for the keys to come: open addressing with linear
// probing, so that an index of tens of thousands of files costs no allocation per key. The keys
// view text that must outlive the table.
class KeyTable {
public:
    explicit KeyTable(std::size_t keys) {
        std::size_t capacity = 16;
        while (capacity < keys + keys / 2)
            capacity *= 2;
        slots.resize(capacity);
    }

    // The key's value, `none` for a key not yet in the table.
    std::uint32_t& operator[](std::string_view key) {
        Slot& slot = slots[position(key)];
        if (slot.text == nullptr) {
            slot.text = key.data();
            slot.length = static_cast<std::uint32_t>(key.size());
        }
        return slot.value;
    }

    [[nodiscard]] std::uint32_t find(std::string_view key) const {
        return slots[position(key)].value;
    }

private:
    // Small, so that a table of many keys stays in few cache lines; no text means unused.
    struct Slot {
        const char* text = nullptr;
        std::uint32_t length = 0;
        std::uint32_t value = none;
    };

    [[nodiscard]] std::size_t position(std::string_view key) const {
        const std::size_t mask = slots.size() - 1;
        std::size_t i = std::hash<std::string_view>{}(key)&mask;
        while (slots[i].text != nullptr && std::string_view(slots[i].text, slots[i].length) != key)
            i = (i + 1) & mask;
        return i;
    }

    std::vector<Slot> slots;
};

// The key without a Markdown extension and its dot, or none.
std::optional<std::string_view> withoutMarkdownExtension(std::string_view key) {
    std::string_view extension = pathExtension(key);
    if (!isMarkdownExtension(extension))
        return std::nullopt;
    return key.substr(0, key.size() - extension.size() - 1);
}

} // namespace

struct LinkIndex::Tables {
    explicit Tables(std::vector<URL> indexed)
        : files(std::move(indexed)), byRelativePath(files.size() * 2), byName(files.size() * 2) {
        nameEntries.reserve(files.size() * 2);
    }

    // A copy of the text that lives as long as the tables.
    std::string_view keep(std::string_view text) {
        auto* copy = static_cast<char*>(keyTexts.allocate(text.size(), 1));
        std::copy(text.begin(), text.end(), copy);
        return {copy, text.size()};
    }

    void addName(std::string_view key, std::uint32_t file) {
        auto entry = static_cast<std::uint32_t>(nameEntries.size());
        nameEntries.push_back({file, none});
        std::uint32_t& list = byName[key];
        if (list == none) {
            list = static_cast<std::uint32_t>(nameLists.size());
            nameLists.push_back({entry, entry});
            return;
        }
        nameEntries[nameLists[list].last].next = entry;
        nameLists[list].last = entry;
    }

    struct NameList {
        std::uint32_t first;
        std::uint32_t last;
    };
    struct NameEntry {
        std::uint32_t file;
        std::uint32_t next;
    };

    std::optional<URL> root;
    std::vector<URL> files;
    std::pmr::monotonic_buffer_resource keyTexts;
    // Key -> index in `files`.
    KeyTable byRelativePath;
    // Key -> index in `nameLists`; each list chains entries of `nameEntries` in the given order.
    KeyTable byName;
    std::vector<NameList> nameLists;
    std::vector<NameEntry> nameEntries;
};

namespace {

// A target that names a folder ("Plan/", or a folder on disk) is not a note beside the current one.
std::optional<URL> fileBeside(const URL& current, const std::string& target) {
    std::string_view folder = deletingLastPathComponent(current.path());
    for (std::string_view suffix : {std::string_view(), std::string_view(".md")}) {
        std::string appended = target;
        appended += suffix;
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

// Keys compare lowercased and composed: file systems and tools may store "é" as "e" and an accent.
void linkKeyInto(std::string_view text, std::string& out) {
    lowercaseInto(text, out);
    if (!isASCII(out))
        out = markdown::toNFC(out);
}

std::string linkKey(std::string_view text) {
    std::string key;
    linkKeyInto(text, key);
    return key;
}

// The file whose path ends with the folders and name the key spells out.
std::optional<URL> fileMatchingFolders(const std::vector<URL>& candidates, std::string_view key) {
    std::string suffix(1, '/');
    suffix += key;
    for (const URL& file : candidates) {
        std::string path = linkKey(file.path());
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
    std::string key = linkKey(text);
    if (std::optional<std::string_view> bare = withoutMarkdownExtension(key)) {
        std::string bareKey(*bare);
        return {std::move(key), std::move(bareKey)};
    }
    return {std::move(key)};
}

LinkIndex::LinkIndex() {
    static const auto empty = std::make_shared<const Tables>(std::vector<URL>());
    tables = empty;
}

LinkIndex::LinkIndex(const std::optional<URL>& root, std::vector<URL> files) {
    auto built = std::make_shared<Tables>(std::move(files));
    std::string prefix;
    if (root) {
        built->root = standardizedURL(*root);
        prefix = built->root->path();
        if (!prefix.ends_with('/'))
            prefix += '/';
    }
    std::string standardized;
    std::string lowered;
    for (std::uint32_t i = 0; i < built->files.size(); ++i) {
        std::string_view path = built->files[i].path();
        std::string_view name = lastPathComponent(path);
        if (!isStandardizedPath(path)) {
            standardized = standardizedPath(path);
            path = standardized;
        }
        std::string_view relative = path.starts_with(prefix) ? path.substr(prefix.size()) : name;

        linkKeyInto(relative, lowered);
        std::string_view relativeKey = built->keep(lowered);
        const std::optional<std::string_view> bareRelativeKey =
            withoutMarkdownExtension(relativeKey);
        built->byRelativePath[relativeKey] = i;
        if (bareRelativeKey)
            built->byRelativePath[*bareRelativeKey] = i;

        // ASCII lowers byte for byte, so an ASCII name's keys end its path's keys: nothing to
        // lower, copy or look at again.
        if (relative.ends_with(name) && isASCII(name) &&
            (relative.size() == name.size() ||
             relative[relative.size() - name.size() - 1] == '/')) {
            built->addName(relativeKey.substr(relativeKey.size() - name.size()), i);
            if (bareRelativeKey)
                built->addName(bareRelativeKey->substr(relativeKey.size() - name.size()), i);
            continue;
        }
        linkKeyInto(name, lowered);
        std::string_view nameKey = built->keep(lowered);
        built->addName(nameKey, i);
        if (std::optional<std::string_view> bare = withoutMarkdownExtension(nameKey))
            built->addName(*bare, i);
    }
    tables = std::move(built);
}

const std::optional<URL>& LinkIndex::root() const {
    return tables->root;
}

std::optional<URL> LinkIndex::byRelativePath(std::string_view key) const {
    std::uint32_t file = tables->byRelativePath.find(key);
    if (file == none)
        return std::nullopt;
    return tables->files[file];
}

std::vector<URL> LinkIndex::byName(std::string_view key) const {
    std::vector<URL> named;
    std::uint32_t list = tables->byName.find(key);
    if (list == none)
        return named;
    for (std::uint32_t entry = tables->nameLists[list].first; entry != none;
         entry = tables->nameEntries[entry].next)
        named.push_back(tables->files[tables->nameEntries[entry].file]);
    return named;
}

std::optional<URL> LinkIndex::resolve(std::string_view target,
                                      const std::optional<URL>& current) const {
    // Decoding after trimming keeps an encoded blank ("%20") at either end.
    std::string_view trimmed = trimWhitespace(target);
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
    const std::string key = linkKey(written);

    if (current)
        if (std::optional<URL> beside = fileBeside(*current, written))
            return beside;

    if (std::optional<URL> atPath = byRelativePath(key))
        return atPath;

    std::vector<URL> candidates = byName(lastPathComponent(key));
    if (candidates.empty())
        return std::nullopt;
    if (candidates.size() == 1 || !current)
        return candidates.front();
    if (key.find('/') != std::string::npos)
        if (std::optional<URL> matching = fileMatchingFolders(candidates, key))
            return matching;
    return nearestFile(candidates, *current);
}

} // namespace notes
