#include "notes/FolderSnapshot.hpp"

#include "notes/PathText.hpp"

#include "Markdown/Fatal.hpp"

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
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

// Built once; each scan orders names with its own clone, as a collator is not safe to share
// between threads.
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
        markdown::require(U_SUCCESS(status), "ICU collator refuses numeric ordering");
        return std::unique_ptr<const icu::Collator>(std::move(collator));
    }();
    return *prototype;
}

// Orders names as a file browser does: case-insensitive first, digits by their value. Sort keys
// make each comparison a byte comparison, which matters in folders of thousands of notes.
class NameOrder {
public:
    NameOrder() : collator(collatorPrototype().clone()) {
        markdown::require(collator != nullptr, "ICU cannot clone a collator");
    }

    void sort(std::vector<FileNode>& nodes) {
        if (nodes.size() < 2)
            return;
        std::vector<std::pair<std::string, std::size_t>> keys;
        keys.reserve(nodes.size());
        for (std::size_t i = 0; i < nodes.size(); ++i)
            keys.emplace_back(sortKey(nodes[i].name), i);
        // Names the collator finds equal still get one order, whatever the listing order was.
        std::sort(keys.begin(), keys.end(), [&](const auto& a, const auto& b) {
            if (a.first != b.first)
                return a.first < b.first;
            return nodes[a.second].name < nodes[b.second].name;
        });
        std::vector<FileNode> sorted;
        sorted.reserve(nodes.size());
        for (const auto& key : keys)
            sorted.push_back(std::move(nodes[key.second]));
        nodes = std::move(sorted);
    }

private:
    std::string sortKey(std::string_view name) {
        icu::UnicodeString text = icu::UnicodeString::fromUTF8(
            icu::StringPiece(name.data(), static_cast<int32_t>(name.size())));
        int32_t length =
            collator->getSortKey(text, buffer.data(), static_cast<int32_t>(buffer.size()));
        if (length > static_cast<int32_t>(buffer.size())) {
            buffer.resize(static_cast<std::size_t>(length));
            length = collator->getSortKey(text, buffer.data(), length);
        }
        return {buffer.begin(), buffer.begin() + length};
    }

    std::unique_ptr<icu::Collator> collator;
    std::vector<uint8_t> buffer = std::vector<uint8_t>(256);
};

struct Entry {
    std::string name;
    bool isDirectory;
};

// The visible entries of one folder, judged by the entries themselves (links not followed); none
// when the folder cannot be listed to the end.
std::optional<std::vector<Entry>> listFolder(const std::string& path) {
    std::error_code error;
    std::filesystem::directory_iterator entry(path, error);
    std::vector<Entry> entries;
    for (; !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
        std::string name = entry->path().filename().native();
        if (name.starts_with('.'))
            continue;
        // The type read along with the listing answers both questions without a call per entry.
        std::error_code typeError;
        bool isDirectory = false;
        if (!entry->is_symlink(typeError) && !typeError)
            isDirectory = entry->is_directory(typeError);
        entries.push_back({std::move(name), isDirectory});
    }
    if (error)
        return std::nullopt;
    return entries;
}

class FolderScan {
public:
    FolderScan(std::vector<URL>& allFiles, std::vector<URL>& markdownFiles, std::size_t fileLimit)
        : allFiles(allFiles), markdownFiles(markdownFiles), fileLimit(fileLimit) {}

    std::vector<FileNode> scan(const std::string& path) {
        // Checked on entering a folder only: a folder being listed finishes its own files.
        if (allFiles.size() > fileLimit)
            return {};
        std::optional<std::vector<Entry>> entries = listFolder(path);
        if (!entries)
            return {};
        std::vector<FileNode> folders;
        std::vector<FileNode> files;
        for (Entry& entry : *entries) {
            std::string child = appendingPathComponent(path, entry.name);
            if (entry.isDirectory) {
                if (isSkippedFolderName(entry.name))
                    continue;
                std::vector<FileNode> nodes = scan(child);
                if (!nodes.empty())
                    folders.push_back(
                        {URL::fileURL(std::move(child)), std::move(entry.name), std::move(nodes)});
                continue;
            }
            URL url = URL::fileURL(std::move(child));
            allFiles.push_back(url);
            if (hasMarkdownExtension(entry.name)) {
                markdownFiles.push_back(url);
                files.push_back(
                    {std::move(url), std::string(deletingPathExtension(entry.name)), std::nullopt});
            }
        }
        order.sort(folders);
        order.sort(files);
        folders.insert(folders.end(), std::make_move_iterator(files.begin()),
                       std::make_move_iterator(files.end()));
        return folders;
    }

private:
    std::vector<URL>& allFiles;
    std::vector<URL>& markdownFiles;
    std::size_t fileLimit;
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
    std::vector<FileNode> tree = scanFolder(folder, allFiles, markdownFiles, fileLimit);
    LinkIndex index(folder, allFiles);
    return {std::move(tree), std::move(index), std::move(markdownFiles)};
}

} // namespace notes
