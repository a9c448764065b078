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
// view text that must outlive the table. The probed slots hold only part of each key's hash and
// the place of its entry: a table of a hundred thousand keys then stays small enough for the
// cache, and the text of another key, which lies elsewhere in memory, is seldom looked at.
class KeyTable {
public:
    explicit KeyTable(std::size_t keys) {
        std::size_t capacity = 16;
        while (capacity < keys + keys / 4)
            capacity *= 2;
        slots.resize(capacity);
        pending.reserve(keys);
    }

    // Gathers a key with a number of the caller's, handed back when the key is placed.
    void add(std::string_view key, std::uint32_t item) {
        pending.push_back({std::hash<std::string_view>{}(key), key.data(),
                           static_cast<std::uint32_t>(key.size()), item});
    }

    // Places the gathered keys in the order they were gathered: `place(value, item)` with the
    // key's value in the table (`none` for a key not yet placed).
    template <typename Place> void fill(Place place) {
        const std::size_t mask = slots.size() - 1;
        // The slot of a key a few places on is fetched while this one is placed: the slots of
        // a large table are mostly not in the cache, and waiting for one at a time would
        // make the time per key grow with the table.
        constexpr std::size_t ahead = 8;
        entries.reserve(pending.size());
        for (std::size_t k = 0; k < pending.size(); ++k) {
            if (k + ahead < pending.size())
                __builtin_prefetch(&slots[pending[k + ahead].hash & mask]);
            const Pending& key = pending[k];
            Slot& slot = slots[position(key.hash, {key.text, key.length})];
            if (slot.entry == none) {
                slot = {tagOf(key.hash), static_cast<std::uint32_t>(entries.size())};
                entries.push_back({key.text, key.length, none});
            }
            place(entries[slot.entry].value, key.item);
        }
        pending = {};
    }

    [[nodiscard]] std::uint32_t find(std::string_view key) const {
        const Slot& slot = slots[position(std::hash<std::string_view>{}(key), key)];
        return slot.entry == none ? none : entries[slot.entry].value;
    }

private:
    struct Slot {
        std::uint32_t tag = 0;
        std::uint32_t entry = none; // none: unused
    };
    struct Entry {
        const char* text;
        std::uint32_t length;
        std::uint32_t value;
    };
    struct Pending {
        std::size_t hash;
        const char* text;
        std::uint32_t length;
        std::uint32_t item;
    };

    static std::uint32_t tagOf(std::size_t hash) { return static_cast<std::uint32_t>(hash >> 32); }

    [[nodiscard]] std::size_t position(std::size_t hash, std::string_view key) const {
        const std::size_t mask = slots.size() - 1;
        const std::uint32_t tag = tagOf(hash);
        std::size_t i = hash & mask;
        while (slots[i].entry != none &&
               (slots[i].tag != tag || std::string_view(entries[slots[i].entry].text,
                                                        entries[slots[i].entry].length) != key))
            i = (i + 1) & mask;
        return i;
    }

    std::vector<Slot> slots;
    std::vector<Entry> entries;
    std::vector<Pending> pending;
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

    // Places the gathered keys: a later file with a relative key replaces an earlier one, and
    // the files of one name are listed in the order given.
    void fill() {
        byRelativePath.fill([](std::uint32_t& value, std::uint32_t file) { value = file; });
        byName.fill([this](std::uint32_t& list, std::uint32_t file) {
            const auto entry = static_cast<std::uint32_t>(nameEntries.size());
            nameEntries.push_back({file, none});
            if (list == none) {
                list = static_cast<std::uint32_t>(nameLists.size());
                nameLists.push_back({entry, entry});
                return;
            }
            nameEntries[nameLists[list].last].next = entry;
            nameLists[list].last = entry;
        });
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
    const std::vector<URL>& indexed = built->files;
    for (std::uint32_t i = 0; i < indexed.size(); ++i) {
        // Each path lies on its own in memory: fetched a few files ahead, its text is there
        // when its turn comes.
        if (i + 8 < indexed.size())
            __builtin_prefetch(&indexed[i + 8].path());
        if (i + 4 < indexed.size())
            __builtin_prefetch(indexed[i + 4].path().data());
        std::string_view path = indexed[i].path();
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
        built->byRelativePath.add(relativeKey, i);
        if (bareRelativeKey)
            built->byRelativePath.add(*bareRelativeKey, i);

        // ASCII lowers byte for byte, so an ASCII name's keys end its path's keys: nothing to
        // lower, copy or look at again.
        if (relative.ends_with(name) && isASCII(name) &&
            (relative.size() == name.size() ||
             relative[relative.size() - name.size() - 1] == '/')) {
            built->byName.add(relativeKey.substr(relativeKey.size() - name.size()), i);
            if (bareRelativeKey)
                built->byName.add(bareRelativeKey->substr(relativeKey.size() - name.size()), i);
            continue;
        }
        linkKeyInto(name, lowered);
        std::string_view nameKey = built->keep(lowered);
        built->byName.add(nameKey, i);
        if (std::optional<std::string_view> bare = withoutMarkdownExtension(nameKey))
            built->byName.add(*bare, i);
    }
    built->fill();
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
