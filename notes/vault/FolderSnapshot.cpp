#include "notes/vault/FolderSnapshot.hpp"

#include "notes/files/FileDescriptor.hpp"
#include "notes/text/PathText.hpp"
#include "notes/text/PlainText.hpp"

#include "Markdown/support/Fatal.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace notes {

using markdown::URL;

namespace {

// Build tools fill these with thousands of files that are never notes.
bool isSkippedFolderName(std::string_view name) {
    static constexpr std::array<std::string_view, 5> skipped{"node_modules", "vendor", "build",
                                                             "DerivedData", "Pods"};
    return std::find(skipped.begin(), skipped.end(), name) != skipped.end();
}

// Built once; each scan orders names with its own clone, so that scans on several threads share
// no collator.
const icu::Collator& collatorPrototype() {
    static const std::unique_ptr<const icu::Collator> prototype = [] {
        icu::Locale locale = icu::Locale::getDefault();
        // ICU takes the C locale for en_US_POSIX, whose order puts every capital before every
        // small letter; a file browser's order ignores case.
        if (std::string_view(locale.getVariant()) == "POSIX")
            locale = icu::Locale::getRoot();
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::Collator> collator(icu::Collator::createInstance(locale, status));
        markdown::require(U_SUCCESS(status) && collator != nullptr, "ICU has no collator");
        collator->setAttribute(UCOL_NUMERIC_COLLATION, UCOL_ON, status);
        collator->setAttribute(UCOL_STRENGTH, UCOL_SECONDARY, status);
        markdown::require(U_SUCCESS(status), "ICU collator refuses its settings");
        return std::unique_ptr<const icu::Collator>(std::move(collator));
    }();
    return *prototype;
}

// Orders names as a file browser does: case-insensitive first, digits by their value. Sort keys
// make each comparison a byte comparison, which matters in folders of thousands of notes. The keys
// hold the primary level only, which is quicker to make: names that differ in accents alone tie
// there, and only those are compared again at both levels.
class NameOrder {
public:
    NameOrder() : collator(collatorPrototype().clone()), primary(collatorPrototype().clone()) {
        markdown::require(collator != nullptr && primary != nullptr, "ICU cannot clone a collator");
        UErrorCode status = U_ZERO_ERROR;
        primary->setAttribute(UCOL_STRENGTH, UCOL_PRIMARY, status);
        markdown::require(U_SUCCESS(status), "ICU collator refuses its settings");
    }

    void sort(std::vector<FileNode>& nodes) {
        if (nodes.size() < 2)
            return;
        struct Key {
            // The key's first eight bytes as a number, which orders most pairs in one step.
            std::uint64_t head;
            std::size_t offset;
            std::size_t length;
            std::size_t node;
        };
        keyBytes.clear();
        std::vector<Key> keys;
        keys.reserve(nodes.size());
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            std::size_t offset = keyBytes.size();
            appendSortKey(nodes[i].name);
            const std::size_t length = keyBytes.size() - offset;
            std::uint64_t head = 0;
            for (std::size_t b = 0; b < 8; ++b)
                head = head << 8 |
                       (b < length ? static_cast<unsigned char>(keyBytes[offset + b]) : 0U);
            keys.push_back({head, offset, length, i});
        }
        auto bytes = [&](const Key& key) {
            return std::string_view(keyBytes).substr(key.offset, key.length);
        };
        // Names the collator finds equal still get one order, whatever the listing order was.
        std::sort(keys.begin(), keys.end(), [&](const Key& a, const Key& b) {
            // Padding with zero bytes, the least, keeps the order of the bytes themselves.
            if (a.head != b.head)
                return a.head < b.head;
            int order = bytes(a).compare(bytes(b));
            if (order == 0)
                order = compare(nodes[a.node].name, nodes[b.node].name);
            if (order != 0)
                return order < 0;
            return nodes[a.node].name < nodes[b.node].name;
        });
        std::vector<FileNode> sorted;
        sorted.reserve(nodes.size());
        for (const Key& key : keys)
            sorted.push_back(std::move(nodes[key.node]));
        nodes = std::move(sorted);
    }

private:
    // The full collator's order of two names.
    int compare(std::string_view a, std::string_view b) {
        toUTF16(a);
        std::u16string first = text16;
        toUTF16(b);
        UErrorCode status = U_ZERO_ERROR;
        return collator->compare(first.data(), static_cast<int32_t>(first.size()), text16.data(),
                                 static_cast<int32_t>(text16.size()), status);
    }

    void appendSortKey(std::string_view name) {
        toUTF16(name);
        const auto length16 = static_cast<int32_t>(text16.size());
        int32_t length = primary->getSortKey(text16.data(), length16, buffer.data(),
                                             static_cast<int32_t>(buffer.size()));
        if (length > static_cast<int32_t>(buffer.size())) {
            buffer.resize(static_cast<std::size_t>(length));
            length = primary->getSortKey(text16.data(), length16, buffer.data(), length);
        }
        keyBytes.append(reinterpret_cast<const char*>(buffer.data()),
                        static_cast<std::size_t>(length));
    }

    // The name as UTF-16 in `text16`, ill-formed bytes as U+FFFD; ASCII, nearly every name, is
    // widened byte for byte.
    void toUTF16(std::string_view name) {
        text16.resize(name.size());
        if (isASCII(name)) {
            std::copy(name.begin(), name.end(), text16.begin());
            return;
        }
        icu::UnicodeString text = icu::UnicodeString::fromUTF8(
            icu::StringPiece(name.data(), static_cast<int32_t>(name.size())));
        text16.assign(text.getBuffer(), text.getBuffer() + text.length());
    }

    std::unique_ptr<icu::Collator> collator;
    std::unique_ptr<icu::Collator> primary;
    std::vector<uint8_t> buffer = std::vector<uint8_t>(256);
    std::u16string text16;
    // The sort keys of the folder being sorted, end to end.
    std::string keyBytes;
};

struct Entry {
    // The folder's path with the entry's name appended.
    std::string path;
    std::size_t nameStart;
    bool isDirectory;

    [[nodiscard]] std::string_view name() const { return std::string_view(path).substr(nameStart); }
};

// The visible entries of one folder, judged by the entries themselves (links not followed); none
// when the folder cannot be listed to the end. Read with getdents64 into a buffer kept across the
// folders of a scan: the type that comes with each entry saves a call per entry, and each entry's
// path is built once, in its final place.
class FolderListing {
public:
    std::optional<std::vector<Entry>> list(const std::string& folder) {
        FileDescriptor directory(
            ::open(folder.c_str(), O_RDONLY | O_NONBLOCK | O_DIRECTORY | O_CLOEXEC));
        if (!directory)
            return std::nullopt;
        // The whole listing first, so that the entries can be counted before they are built.
        std::size_t used = 0;
        while (true) {
            if (buffer.size() - used < minimumRead)
                buffer.resize(buffer.size() * 2);
            const ssize_t read =
                ::getdents64(directory.get(), buffer.data() + used, buffer.size() - used);
            if (read < 0)
                return std::nullopt;
            if (read == 0)
                break;
            used += static_cast<std::size_t>(read);
        }
        std::size_t count = 0;
        forEach(used, [&](const dirent64&) { ++count; });

        std::string_view prefix = folder;
        const bool addSlash = !prefix.ends_with('/');
        std::vector<Entry> entries;
        entries.reserve(count);
        forEach(used, [&](const dirent64& entry) {
            std::string_view name = entry.d_name;
            if (name.starts_with('.'))
                return;
            bool isDirectory = entry.d_type == DT_DIR;
            // Some file systems leave the type to be asked for.
            if (entry.d_type == DT_UNKNOWN) {
                struct stat status {};
                isDirectory =
                    ::fstatat(directory.get(), entry.d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 &&
                    S_ISDIR(status.st_mode);
            }
            std::string path;
            path.reserve(prefix.size() + 1 + name.size());
            path += prefix;
            if (addSlash)
                path += '/';
            const std::size_t nameStart = path.size();
            path += name;
            entries.push_back({std::move(path), nameStart, isDirectory});
        });
        return entries;
    }

private:
    // Room for at least one entry of the longest name.
    static constexpr std::size_t minimumRead = sizeof(dirent64);

    template <typename Visit> void forEach(std::size_t used, Visit visit) const {
        // The kernel pads each record to eight bytes, and the buffer starts aligned.
        for (std::size_t offset = 0; offset < used;) {
            const auto* entry = reinterpret_cast<const dirent64*>(buffer.data() + offset);
            visit(*entry);
            offset += entry->d_reclen;
        }
    }

    std::vector<char> buffer = std::vector<char>(std::size_t{32} * 1024);
};

class FolderScan {
public:
    FolderScan(std::vector<URL>& allFiles, std::vector<URL>& markdownFiles, std::size_t fileLimit)
        : allFiles(allFiles), markdownFiles(markdownFiles), fileLimit(fileLimit) {}

    std::vector<FileNode> scan(const std::string& path) {
        // Checked on entering a folder only: a folder being listed finishes its own files.
        if (allFiles.size() > fileLimit) {
            limitReached = true;
            return {};
        }
        std::optional<std::vector<Entry>> entries = listing.list(path);
        if (!entries)
            return {};
        std::vector<FileNode> folders;
        std::vector<FileNode> files;
        // Most entries of a folder of notes are notes.
        files.reserve(entries->size());
        for (Entry& entry : *entries) {
            if (entry.isDirectory) {
                if (isSkippedFolderName(entry.name()))
                    continue;
                std::vector<FileNode> nodes = scan(entry.path);
                if (!nodes.empty()) {
                    std::string name(entry.name());
                    folders.push_back(
                        {URL::fileURL(std::move(entry.path)), std::move(name), std::move(nodes)});
                }
                continue;
            }
            const bool isNote = hasMarkdownExtension(entry.name());
            std::string name(isNote ? deletingPathExtension(entry.name()) : std::string_view());
            URL url = URL::fileURL(std::move(entry.path));
            if (isNote) {
                markdownFiles.push_back(url);
                files.push_back({url, std::move(name), std::nullopt});
            }
            allFiles.push_back(std::move(url));
        }
        order.sort(folders);
        order.sort(files);
        folders.insert(folders.end(), std::make_move_iterator(files.begin()),
                       std::make_move_iterator(files.end()));
        return folders;
    }

    /// Whether a folder was left out for the limit.
    [[nodiscard]] bool reachedLimit() const { return limitReached; }

private:
    std::vector<URL>& allFiles;
    std::vector<URL>& markdownFiles;
    bool limitReached = false;
    std::size_t fileLimit;
    FolderListing listing;
    NameOrder order;
};

} // namespace

std::vector<FileNode> scanFolder(const URL& folder, std::vector<URL>& allFiles,
                                 std::vector<URL>& markdownFiles, std::size_t fileLimit) {
    return FolderScan(allFiles, markdownFiles, fileLimit).scan(folder.path());
}

FolderSnapshot FolderSnapshot::scan(const URL& folder, std::size_t fileLimit) {
    std::vector<URL> allFiles;
    std::vector<URL> markdownFiles;
    FolderScan scan(allFiles, markdownFiles, fileLimit);
    std::vector<FileNode> tree = scan.scan(folder.path());
    LinkIndex index(folder, std::move(allFiles));
    return {std::move(tree), std::move(index), std::move(markdownFiles), scan.reachedLimit()};
}

} // namespace notes
