// Wikilink targets and link keys: resolving never fails, and what it finds is a file the index
// holds or a file beside the current note. The first byte picks the current note, the rest is
// the target; the index covers a small scratch vault with shared names, folders and non-ASCII
// names.
#include "fuzz/FuzzCheck.hpp"
#include "notes/FolderSnapshot.hpp"
#include "notes/LinkIndex.hpp"
#include "notes/PathText.hpp"
#include "notes/PlainText.hpp"
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
    fuzz::check(keys[0] == notes::lowercased(text), "the first key is the text lowercased");
    if (keys.size() == 2)
        fuzz::check(keys[0].starts_with(keys[1]) && keys[0].size() > keys[1].size(),
                    "the second key is the first without its extension");
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
    const std::optional<URL> found = here.snapshot.index.resolve(target, current);
    if (!found)
        return 0;
    const std::vector<URL> indexed = here.snapshot.index.byName(
        notes::lowercased(std::string(notes::lastPathComponent(found->path()))));
    const bool isIndexed = std::find(indexed.begin(), indexed.end(), *found) != indexed.end();
    fuzz::check(isIndexed || (current && isFileOnDisk(*found)),
                "a target resolves to an indexed file or to a file beside the note");
    return 0;
}
