// Scanning and indexing a folder of 10,000 notes in 200 folders (FolderSnapshot with its
// LinkIndex) against plain recursive walks that only list names, on the same folder in the same
// run; and the same at 100,000 notes in 2,000 folders, past the scan's file limit, to show that
// the cost grows with the notes and no faster. Then the idle poll of 10,000 folders that cannot
// be watched against a bare status call on each of them.
#include "bench/support/NoteVault.hpp"
#include "bench/support/RatioReporter.hpp"
#include "notes/vault/FolderSnapshot.hpp"
#include "notes/watch/FolderPoller.hpp"
#include "tests/notes/ScratchFolder.hpp"

#include <benchmark/benchmark.h>
#include <dirent.h>
#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace bench {
namespace {

namespace fs = std::filesystem;
using markdown::URL;

// Fifty notes a folder at every size.
constexpr std::size_t notesPerFolder = 50;
// Every size is scanned whole.
constexpr std::size_t noLimit = SIZE_MAX;

// Written once, on first use, and removed when the program ends.
const fs::path& vaultFolder(std::size_t noteCount) {
    static std::map<std::size_t, std::unique_ptr<notes::ScratchFolder>> written;
    auto& scratch = written[noteCount];
    if (!scratch) {
        scratch = std::make_unique<notes::ScratchFolder>();
        NoteVault(noteCount, noteCount / notesPerFolder).write(scratch->path());
    }
    return scratch->path();
}

void walkWithFilesystem(const fs::path& root, std::vector<std::string>& names) {
    std::error_code error;
    for (fs::recursive_directory_iterator entry(root, error), end; !error && entry != end;
         entry.increment(error))
        names.push_back(entry->path().filename().native());
}

struct CloseDirectory {
    void operator()(DIR* directory) const { ::closedir(directory); }
};

void walkWithReaddir(std::string& path, std::vector<std::string>& names) {
    std::unique_ptr<DIR, CloseDirectory> directory(::opendir(path.c_str()));
    if (!directory)
        return;
    while (const dirent* entry = ::readdir(directory.get())) {
        std::string_view name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        names.emplace_back(name);
        if (entry->d_type == DT_DIR) {
            const std::size_t length = path.size();
            path += '/';
            path += name;
            walkWithReaddir(path, names);
            path.resize(length);
        }
    }
}

void snapshot(benchmark::State& state, std::size_t noteCount) {
    const URL root = URL::fileURL(vaultFolder(noteCount));
    for (auto _ : state) {
        notes::FolderSnapshot scanned = notes::FolderSnapshot::scan(root, noLimit);
        benchmark::DoNotOptimize(scanned.markdownFiles.data());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * noteCount));
}

void scanOnly(benchmark::State& state, std::size_t noteCount) {
    const URL root = URL::fileURL(vaultFolder(noteCount));
    for (auto _ : state) {
        std::vector<URL> allFiles;
        std::vector<URL> markdownFiles;
        std::vector<notes::FileNode> tree =
            notes::scanFolder(root, allFiles, markdownFiles, noLimit);
        benchmark::DoNotOptimize(tree.data());
    }
}

void indexOnly(benchmark::State& state, std::size_t noteCount) {
    const URL root = URL::fileURL(vaultFolder(noteCount));
    std::vector<URL> allFiles;
    std::vector<URL> markdownFiles;
    (void)notes::scanFolder(root, allFiles, markdownFiles, noLimit);
    for (auto _ : state) {
        notes::LinkIndex index(root, allFiles);
        benchmark::DoNotOptimize(&index);
    }
}

void filesystemWalk(benchmark::State& state, std::size_t noteCount) {
    const fs::path& root = vaultFolder(noteCount);
    for (auto _ : state) {
        std::vector<std::string> names;
        walkWithFilesystem(root, names);
        benchmark::DoNotOptimize(names.data());
    }
}

void readdirWalk(benchmark::State& state, std::size_t noteCount) {
    std::string root = vaultFolder(noteCount).native();
    for (auto _ : state) {
        std::vector<std::string> names;
        walkWithReaddir(root, names);
        benchmark::DoNotOptimize(names.data());
    }
}

// 100 folders of 100 folders, a note in each of those; written on first use, then left alone long
// enough that their times are older than any file system's step, as an idle tree's are.
const std::vector<std::string>& pollFolders() {
    static notes::ScratchFolder scratch;
    static const std::vector<std::string> folders = [] {
        std::vector<std::string> made{scratch.path().native()};
        for (int outer = 0; outer < 100; ++outer) {
            const fs::path parent = scratch / ("a" + std::to_string(outer));
            made.push_back(parent.native());
            for (int inner = 0; inner < 100; ++inner) {
                const fs::path folder = parent / ("b" + std::to_string(inner));
                notes::ScratchFolder::write(folder / "note.md", "# Note\n");
                made.push_back(folder.native());
            }
        }
        std::this_thread::sleep_for(std::chrono::seconds(3));
        return made;
    }();
    return folders;
}

void idlePoll(benchmark::State& state) {
    notes::FolderPoller poller;
    poller.follow(pollFolders().front());
    for (auto _ : state) {
        std::vector<notes::FolderChange> changes = poller.poll();
        benchmark::DoNotOptimize(changes.data());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * pollFolders().size()));
}

void statEach(benchmark::State& state) {
    const std::vector<std::string>& folders = pollFolders();
    for (auto _ : state) {
        for (const std::string& folder : folders) {
            struct stat status {};
            benchmark::DoNotOptimize(::lstat(folder.c_str(), &status));
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * folders.size()));
}

void registerAll() {
    for (std::size_t noteCount : {10'000, 100'000}) {
        const std::string group = "folder/" + std::to_string(noteCount) + "notes";
        auto add = [&](const char* variant, void (*function)(benchmark::State&, std::size_t)) {
            benchmark::RegisterBenchmark((group + "/" + variant).c_str(), function, noteCount)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
        };
        add("walk_filesystem", filesystemWalk);
        add("walk_readdir", readdirWalk);
        add("FolderSnapshot", snapshot);
        add("scanFolder", scanOnly);
        add("LinkIndex", indexOnly);
    }
    benchmark::RegisterBenchmark("poll/10101folders/lstat_each", statEach)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("poll/10101folders/FolderPoller", idlePoll)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
}

} // namespace
} // namespace bench

int main(int argc, char** argv) {
    bench::registerAll();
    return bench::runBenchmarks(argc, argv, {"walk_filesystem", "walk_readdir", "lstat_each"});
}
