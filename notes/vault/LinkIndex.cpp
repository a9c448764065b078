#include "notes/vault/LinkIndex.hpp"

#include "notes/vault/MappedRegion.hpp"

#include "notes/text/CharacterText.hpp"
#include "notes/text/PathText.hpp"
#include "notes/text/PlainText.hpp"

#include "Markdown/support/UnicodeText.hpp"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace notes {

using markdown::URL;

namespace {

constexpr std::uint32_t none = UINT32_MAX;

// A key's place in the index's key text and its hash, kept so that the tables can be filled in
// passes of their own without hashing again.
struct KeySpan {
    std::uint32_t start = none; // none: the file has no such key
    std::uint32_t length = 0;
    std::uint32_t hash = 0;
};

// Eight bytes at a time and inlined: every file of a folder has up to four keys to hash.
std::uint32_t keyHash(std::string_view key) {
    std::uint64_t hash = 0x9e3779b97f4a7c15ULL ^ key.size();
    std::size_t i = 0;
    for (; i + 8 <= key.size(); i += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, key.data() + i, 8);
        hash = (hash ^ word) * 0xbf58476d1ce4e5b9ULL;
        hash ^= hash >> 32;
    }
    std::uint64_t tail = 0;
    if (i < key.size())
        std::memcpy(&tail, key.data() + i, key.size() - i);
    hash = (hash ^ tail) * 0x94d049bb133111ebULL;
    hash ^= hash >> 33;
    hash *= 0xff51afd7ed558ccdULL;
    hash ^= hash >> 33;
    return static_cast<std::uint32_t>(hash);
}

// A string-keyed table of numbers in memory it is given: open addressing with linear probing, at
// most half full at every size, so that the probes per key do not grow with the folder. A slot
// holds only a key's hash and a number from which the caller finds the key's text, so a table of
// a hundred thousand keys stays small, and the text of another key, which lies elsewhere in
// memory, is looked at only when the hashes agree.
class KeyTable {
public:
    struct Slot {
        std::uint32_t hash;
        // One above the value, so that zeroed memory is an empty table; 0: unused.
        std::uint32_t stored;
    };

    static std::size_t capacityFor(std::size_t keys) { return 2 * keys + 1; }

    // `slots` holds capacityFor(keys) zeroed slots.
    KeyTable(Slot* slots, std::size_t keys) : slots(slots), capacity(capacityFor(keys)) {}

    // Fetches the slot a key starts looking at: the slots of a large table are mostly not in the
    // cache, and fetching a few keys ahead keeps the time per key flat as the table grows.
    void prefetch(std::uint32_t hash) const { __builtin_prefetch(&slots[home(hash)]); }

    // Stores the value for its key and returns the value it replaces, or `none`.
    // `textOf(value)` gives the key text that a value stands for.
    template <typename TextOf>
    std::uint32_t replace(std::uint32_t hash, std::uint32_t value, TextOf textOf) {
        Slot& slot = slots[position(
            hash, [&](std::uint32_t other) { return textOf(other) == textOf(value); })];
        const std::uint32_t replaced = slot.stored - 1;
        slot = {hash, value + 1};
        return replaced;
    }

    // The value stored for the key, or `none`.
    template <typename TextOf>
    [[nodiscard]] std::uint32_t find(std::string_view key, TextOf textOf) const {
        return slots[position(keyHash(key),
                              [&](std::uint32_t other) { return textOf(other) == key; })]
                   .stored -
               1;
    }

private:
    // The slot a key starts looking at, spread over the table by the hash's leading bits.
    [[nodiscard]] std::size_t home(std::uint32_t hash) const {
        return static_cast<std::size_t>((std::uint64_t{hash} * capacity) >> 32);
    }

    template <typename Same>
    [[nodiscard]] std::size_t position(std::uint32_t hash, Same same) const {
        std::size_t i = home(hash);
        while (slots[i].stored != 0 && (slots[i].hash != hash || !same(slots[i].stored - 1)))
            if (++i == capacity)
                i = 0;
        return i;
    }

    Slot* slots = nullptr;
    std::size_t capacity = 0;
};

// Keys compare lowercased and composed: file systems and tools may store "é" as "e" and an accent.
void linkKeyInto(std::string_view text, std::string& out) {
    lowercaseInto(text, out);
    if (!isASCII(out))
        out = markdown::toNFC(out);
}

// The key without a Markdown extension and its dot, or none.
std::optional<std::string_view> withoutMarkdownExtension(std::string_view key) {
    std::string_view extension = pathExtension(key);
    if (!isMarkdownExtension(extension))
        return std::nullopt;
    return key.substr(0, key.size() - extension.size() - 1);
}

} // namespace

// Every file has up to four keys: its relative path, that without a Markdown extension, its
// name, and that without the extension. Everything kept per file lies in one mapped region: the
// keys, the name lists, both tables and, last so that it can grow, the keys' texts end to end,
// the name usually as the end of the relative path. Dropping the index gives the region back in
// one piece.
struct LinkIndex::Tables {
    enum Kind : std::uint32_t { relativeKey, bareRelativeKey, nameKey, bareNameKey, kinds };

    // Both tables start empty; `fill` sizes them for the keys.
    explicit Tables(std::vector<URL> indexed)
        : files(std::move(indexed)), nextByNameAt(files.size() * kinds * sizeof(KeySpan)),
          relativeSlotsAt(nextByNameAt + files.size() * 2 * sizeof(std::uint32_t)),
          nameSlotsAt(relativeSlotsAt + slotsFor(files.size()) * sizeof(KeyTable::Slot)),
          textAt(nameSlotsAt + slotsFor(files.size()) * sizeof(KeyTable::Slot)),
          // About the length of a note's path below its vault, so that the text seldom moves.
          memory(textAt + files.size() * 64),
          byRelativePath(at<KeyTable::Slot>(relativeSlotsAt), 0),
          byName(at<KeyTable::Slot>(nameSlotsAt), 0) {}

    // Each file address is fetched well before it is released: at a hundred thousand files the
    // addresses are no longer in the cache, and one miss at a time would make dropping a large
    // index slower per file than a small one.
    ~Tables() {
        constexpr std::size_t ahead = 64;
        for (std::size_t i = 0; i < files.size(); ++i) {
            if (i + ahead < files.size())
                __builtin_prefetch(&files[i + ahead].path(), 1);
            if (i + ahead / 2 < files.size())
                __builtin_prefetch(files[i + ahead / 2].path().data());
            files[i] = URL();
        }
    }

    // Room for the slots of a table of every key the files can have: two per file.
    static std::size_t slotsFor(std::size_t files) { return KeyTable::capacityFor(2 * files); }

    [[nodiscard]] KeySpan* keys() const { return at<KeySpan>(0); }
    [[nodiscard]] std::uint32_t* nextByName() const { return at<std::uint32_t>(nextByNameAt); }

    // Appends the text's link key to the key text. ASCII, nearly every path, is lowered as it is
    // copied; the rest goes through `lowered`.
    KeySpan keepKey(std::string_view text, std::string& lowered) {
        if (!isASCII(text)) {
            linkKeyInto(text, lowered);
            text = lowered;
        }
        const std::size_t start = textLength;
        if (textAt + start + text.size() > memory.size())
            memory.grow(2 * (textAt + start + text.size()));
        char* out = at<char>(textAt + start);
        for (char c : text)
            *out++ = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        textLength += text.size();
        return span(static_cast<std::uint32_t>(start), text.size());
    }

    // The key at this place of the key text, with its hash.
    [[nodiscard]] KeySpan span(std::uint32_t start, std::size_t length) const {
        const std::string_view key = text(start, length);
        return {start, static_cast<std::uint32_t>(length), keyHash(key)};
    }

    [[nodiscard]] std::string_view text(std::uint32_t start, std::size_t length) const {
        return {at<char>(textAt + start), length};
    }
    [[nodiscard]] std::string_view text(const KeySpan& key) const {
        return text(key.start, key.length);
    }
    [[nodiscard]] std::string_view text(std::uint32_t key) const { return text(keys()[key]); }

    // Sizes each table for the keys it gets, then fills it: a later file with a relative key
    // replaces an earlier one, and the files of one name are listed in the order given.
    void fill(std::size_t relativeCount, std::size_t nameCount) {
        // Files ahead whose slots are fetched while this one's are filled: far enough for a
        // slot to arrive from memory, as at a hundred thousand files few are in the cache.
        constexpr std::size_t ahead = 32;
        const std::size_t count = files.size();
        const KeySpan* keyed = keys();
        auto relativeText = [this](std::uint32_t key) { return text(key); };
        byRelativePath = KeyTable(at<KeyTable::Slot>(relativeSlotsAt), relativeCount);
        for (std::size_t file = 0; file < count; ++file) {
            if (file + ahead < count)
                for (Kind kind : {relativeKey, bareRelativeKey})
                    byRelativePath.prefetch(keyed[(file + ahead) * kinds + kind].hash);
            for (Kind kind : {relativeKey, bareRelativeKey}) {
                const auto key = static_cast<std::uint32_t>(file * kinds + kind);
                if (keyed[key].start != none)
                    byRelativePath.replace(keyed[key].hash, key, relativeText);
            }
        }
        // Backwards, each file put at the front of its name's list: the lists end in the
        // order given.
        auto nameText = [this](std::uint32_t node) { return text(nameNodeKey(node)); };
        byName = KeyTable(at<KeyTable::Slot>(nameSlotsAt), nameCount);
        std::uint32_t* next = nextByName();
        for (std::size_t file = count; file-- > 0;) {
            if (file >= ahead)
                for (Kind kind : {nameKey, bareNameKey})
                    byName.prefetch(keyed[(file - ahead) * kinds + kind].hash);
            for (Kind kind : {bareNameKey, nameKey}) {
                const auto key = static_cast<std::uint32_t>(file * kinds + kind);
                if (keyed[key].start == none)
                    continue;
                const auto node = static_cast<std::uint32_t>(file * 2 + (kind - nameKey));
                next[node] = byName.replace(keyed[key].hash, node, nameText);
            }
        }
    }

    // A file's name key: two per file, chained through `nextByName`.
    static std::uint32_t nameNodeKey(std::uint32_t node) {
        return node / 2 * kinds + nameKey + node % 2;
    }

    template <typename T> [[nodiscard]] T* at(std::size_t offset) const {
        return reinterpret_cast<T*>(memory.data() + offset);
    }

    std::optional<URL> root;
    std::vector<URL> files;
    // Where each part lies in `memory`, after `kinds` keys per file: two name nodes per file,
    // each giving the next file's node with the same name key, or none; the slots of each table;
    // the key text.
    std::size_t nextByNameAt;
    std::size_t relativeSlotsAt;
    std::size_t nameSlotsAt;
    std::size_t textAt;
    std::size_t textLength = 0;
    MappedRegion memory;
    // Key -> its key number, whose file is the number divided by `kinds`.
    KeyTable byRelativePath;
    // Key -> the first of its name nodes.
    KeyTable byName;
};

namespace {

// A target that names a folder ("Plan/", or a folder on disk) is not a note beside the current one.
std::optional<URL> fileBeside(const URL& current, const std::string& target, NoteFolder* opened) {
    std::string_view folder = deletingLastPathComponent(current.path());
    for (std::string_view suffix : {std::string_view(), std::string_view(".md")}) {
        std::string appended = target;
        appended += suffix;
        if (appended.ends_with('/'))
            continue;
        std::optional<bool> held =
            opened != nullptr ? opened->holdsFile(folder, appended) : std::nullopt;
        if (held == false)
            continue;
        std::string candidate = standardizedPath(appendingPathComponent(folder, appended));
        if (held)
            return URL::fileURL(std::move(candidate));
        std::error_code error;
        std::filesystem::file_status status = std::filesystem::status(candidate, error);
        if (!error && std::filesystem::exists(status) && !std::filesystem::is_directory(status))
            return URL::fileURL(std::move(candidate));
    }
    return std::nullopt;
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
    std::size_t relativeCount = 0;
    std::size_t nameCount = 0;
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
        // Kept here until the file is done: keeping a key may move the index's memory.
        KeySpan keys[Tables::kinds];

        const KeySpan relativeKey = built->keepKey(relative, lowered);
        keys[Tables::relativeKey] = relativeKey;
        if (std::optional<std::string_view> bare =
                withoutMarkdownExtension(built->text(relativeKey)))
            keys[Tables::bareRelativeKey] = built->span(relativeKey.start, bare->size());
        const bool bareRelative = keys[Tables::bareRelativeKey].start != none;
        // Every file has a relative key and a name key, and for a note both without extension.
        relativeCount += 1 + bareRelative;

        // ASCII lowers byte for byte, so an ASCII name's keys end its path's keys: nothing to
        // lower or copy.
        if (relative.ends_with(name) && isASCII(name) &&
            (relative.size() == name.size() ||
             relative[relative.size() - name.size() - 1] == '/')) {
            const auto nameStart =
                static_cast<std::uint32_t>(relativeKey.start + relativeKey.length - name.size());
            keys[Tables::nameKey] = built->span(nameStart, name.size());
            if (bareRelative)
                keys[Tables::bareNameKey] =
                    built->span(nameStart, keys[Tables::bareRelativeKey].length -
                                               (nameStart - relativeKey.start));
        } else {
            const KeySpan nameKey = built->keepKey(name, lowered);
            keys[Tables::nameKey] = nameKey;
            if (std::optional<std::string_view> bare =
                    withoutMarkdownExtension(built->text(nameKey)))
                keys[Tables::bareNameKey] = built->span(nameKey.start, bare->size());
        }
        nameCount += 1 + (keys[Tables::bareNameKey].start != none);
        std::copy(std::begin(keys), std::end(keys), built->keys() + std::size_t{i} * Tables::kinds);
    }
    built->fill(relativeCount, nameCount);
    tables = std::move(built);
}

const std::optional<URL>& LinkIndex::root() const {
    return tables->root;
}

std::optional<URL> LinkIndex::byRelativePath(std::string_view key) const {
    const Tables& index = *tables;
    std::uint32_t found =
        index.byRelativePath.find(key, [&](std::uint32_t at) { return index.text(at); });
    if (found == none)
        return std::nullopt;
    return index.files[found / Tables::kinds];
}

std::vector<URL> LinkIndex::byName(std::string_view key) const {
    const Tables& index = *tables;
    std::vector<URL> named;
    for (std::uint32_t node = index.byName.find(
             key, [&](std::uint32_t at) { return index.text(Tables::nameNodeKey(at)); });
         node != none; node = index.nextByName()[node])
        named.push_back(index.files[node / 2]);
    return named;
}

std::optional<URL> LinkIndex::resolve(std::string_view target,
                                      const std::optional<URL>& current) const {
    return resolve(target, current, nullptr);
}

std::optional<URL> LinkIndex::resolve(std::string_view target, const std::optional<URL>& current,
                                      NoteFolder& folder) const {
    return resolve(target, current, &folder);
}

std::optional<URL> LinkIndex::resolve(std::string_view target, const std::optional<URL>& current,
                                      NoteFolder* folder) const {
    // Decoding after trimming keeps an encoded blank ("%20") at either end.
    std::string_view trimmed = trimWhitespace(target);
    std::string text = percentDecoded(trimmed).value_or(std::string(trimmed));
    // No file's path holds a NUL, and a path cut at one would name another file.
    if (text.find('\0') != std::string::npos)
        return std::nullopt;
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
        if (std::optional<URL> beside = fileBeside(*current, written, folder))
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
