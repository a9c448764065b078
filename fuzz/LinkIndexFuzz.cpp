// Wikilink bodies, targets and link keys: a body splits into trimmed parts at its first
// separators, resolving never fails, and what it finds is a file the index holds or a file beside
// the current note. The first byte picks the current note, the rest is the target, and also a
// body whose name is resolved as the renderer does; the index covers a small scratch vault with
// shared names, folders and non-ASCII names.
#include "Markdown/support/UnicodeText.hpp"
#include "fuzz/FuzzCheck.hpp"
#include "notes/render/WikilinkParts.hpp"
#include "notes/text/PathText.hpp"
#include "notes/text/PlainText.hpp"
#include "notes/vault/FolderSnapshot.hpp"
#include "notes/vault/LinkIndex.hpp"
#include "tests/notes/ScratchFolder.hpp"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using markdown::URL;

struct Vault {
    Vault() {
        for (const char* file : {"Plan.md", "a/Plan.md", "b/x/Plan.md", "My Plan.MD", "Index.md",
                                 "a/Index.md", "img/diagram.png", "Área/Ünïcode.md",
                                 "Área/ΣΟΦΙΑΣ.md", "dots/a.b.c.md", "space /trail .md"}) {
            fs::create_directories((scratch / file).parent_path());
            notes::ScratchFolder::write(scratch / file, "# note\n");
        }
        fs::create_directories(scratch / "Folder.md");
        snapshot = notes::FolderSnapshot::scan(URL::fileURL(scratch.path()));
    }

    notes::ScratchFolder scratch;
    notes::FolderSnapshot snapshot;
};

const Vault& vault() {
    static const Vault made;
    return made;
}

bool isFileOnDisk(const URL& url) {
    std::error_code error;
    fs::file_status status = fs::status(url.filesystemPath(), error);
    return !error && fs::exists(status) && !fs::is_directory(status);
}

void checkKeys(const std::string& text) {
    const std::vector<std::string> keys = notes::normalizeLinkKey(text);
    fuzz::check(!keys.empty() && keys.size() <= 2, "a text has one or two keys");
    fuzz::check(keys[0] == markdown::toNFC(notes::lowercased(text)),
                "the first key is the text lowercased and composed");
    if (keys.size() == 2)
        fuzz::check(keys[0].starts_with(keys[1]) && keys[0].size() > keys[1].size(),
                    "the second key is the first without its extension");
}

bool isTrimmed(std::string_view text) {
    return text.empty() ||
           (text.find_first_of(" \t") != 0 && text.find_last_of(" \t") != text.size() - 1);
}

void checkParts(const std::string& body, const notes::WikilinkParts& parts) {
    fuzz::check(parts.alias.has_value() == (body.find('|') != std::string::npos),
                "an alias exactly when the body has a bar");
    fuzz::check(parts.heading.has_value() == (parts.targetPart.find('#') != std::string::npos),
                "a heading exactly when the target has a hash");
    fuzz::check(parts.name.find('#') == std::string::npos &&
                    parts.targetPart.find('|') == std::string::npos,
                "the name stops at the first hash, the target at the first bar");
    fuzz::check(isTrimmed(parts.targetPart) && isTrimmed(parts.name) &&
                    isTrimmed(parts.alias.value_or("")) && isTrimmed(parts.heading.value_or("")),
                "every part is trimmed");
    // A name of slashes alone has no component; it is its own last one.
    const bool hasComponent = parts.name.find_first_not_of('/') != std::string::npos;
    fuzz::check((parts.last.find('/') == std::string::npos || !hasComponent) &&
                    parts.name.find(parts.last) != std::string::npos,
                "the last component is a piece of the name without a slash");
}

void checkResolved(const Vault& here, const std::string& target,
                   const std::optional<URL>& current) {
    const std::optional<URL> found = here.snapshot.index.resolve(target, current);
    if (!found)
        return;
    const std::vector<URL> indexed = here.snapshot.index.byName(
        notes::lowercased(std::string(notes::lastPathComponent(found->path()))));
    const bool isIndexed = std::find(indexed.begin(), indexed.end(), *found) != indexed.end();
    fuzz::check(isIndexed || (current && isFileOnDisk(*found)),
                "a target resolves to an indexed file or to a file beside the note");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const Vault& here = vault();
    const std::vector<URL>& noteFiles = here.snapshot.markdownFiles;
    const std::string target(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::optional<URL> current;
    if (data[0] < noteFiles.size())
        current = noteFiles[data[0]];

    checkKeys(target);
    checkResolved(here, target, current);
    const notes::WikilinkParts parts = notes::WikilinkParts::parse(target);
    checkParts(target, parts);
    checkResolved(here, parts.name, current);
    return 0;
}
