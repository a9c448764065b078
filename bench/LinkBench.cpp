// Wikilink resolution as the index grows: every wikilink of a sample of notes resolved from its
// own note, with 1,000, 10,000 and 49,000 notes in the index (200 folders each). The cost per
// link should stay flat; the cost of a note grows with its links only.
#include "bench/support/NoteVault.hpp"
#include "bench/support/RatioReporter.hpp"
#include "notes/vault/FolderSnapshot.hpp"
#include "tests/notes/ScratchFolder.hpp"

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace bench {
namespace {

using markdown::URL;

constexpr std::size_t folders = 200;
constexpr std::size_t sampledNotes = 400;

struct Link {
    std::string target;
    URL from;
};

// A vault on disk (step one of resolving looks beside the note), its index, and the links of
// its first notes: each "[[...]]" up to "#" or "|", as the renderer hands them over.
struct Fixture {
    explicit Fixture(std::size_t notes) {
        NoteVault vault(notes, folders);
        vault.write(scratch.path());
        index = notes::FolderSnapshot::scan(URL::fileURL(scratch.path())).index;
        for (std::size_t note = 0; note < std::min(notes, sampledNotes); ++note) {
            const URL from = URL::fileURL(scratch.path() / vault.notePath(note));
            const std::string text = vault.noteText(note);
            for (std::size_t open = text.find("[["); open != std::string::npos;
                 open = text.find("[[", open + 2)) {
                std::size_t end = text.find_first_of("]#|", open + 2);
                if (end != std::string::npos)
                    links.push_back({text.substr(open + 2, end - open - 2), from});
            }
        }
    }

    notes::ScratchFolder scratch;
    notes::LinkIndex index;
    std::vector<Link> links;
};

const Fixture& fixture(std::size_t notes) {
    static std::map<std::size_t, std::unique_ptr<Fixture>> made;
    auto& entry = made[notes];
    if (!entry)
        entry = std::make_unique<Fixture>(notes);
    return *entry;
}

void resolve(benchmark::State& state, std::size_t notes) {
    const Fixture& made = fixture(notes);
    std::size_t resolved = 0;
    for (auto _ : state)
        for (const Link& link : made.links)
            resolved += made.index.resolve(link.target, link.from).has_value();
    benchmark::DoNotOptimize(resolved);
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * made.links.size()));
    state.counters["links"] = static_cast<double>(made.links.size());
}

void registerAll() {
    for (std::size_t notes : {1'000, 10'000, 49'000})
        benchmark::RegisterBenchmark(
            ("resolve/" + std::to_string(notes) + "notes/LinkIndex").c_str(), resolve, notes)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
}

} // namespace
} // namespace bench

int main(int argc, char** argv) {
    bench::registerAll();
    return bench::runBenchmarks(argc, argv, {});
}
