// The parse, render and memory figures: the stock cmark-gfm parser and renderer against
// `Document` and `MarkdownRenderer` on the same inputs, with the cost per MB of each at each size.
#include "bench/support/HeapInUse.hpp"
#include "bench/support/HeapPeak.hpp"
#include "bench/support/InstalledMarkdown.hpp"
#include "bench/support/MarkdownInputs.hpp"
#include "bench/support/NoteVault.hpp"
#include "bench/support/RatioReporter.hpp"
#include "bench/support/StockCmark.hpp"
#include "bench/support/TimeMaking.hpp"

#include "Markdown/elements/Document.hpp"
#include "notes/render/MarkdownRenderer.hpp"
#include "notes/vault/FolderSnapshot.hpp"
#include "tests/notes/ScratchFolder.hpp"

#include <benchmark/benchmark.h>

#include <optional>
#include <string>
#include <string_view>

namespace bench {
namespace {

// The most the heap holds while `make` parses, and what the tree it returns holds once parsing is
// over; the text itself is not counted.
template <typename Make>
void measureHeld(benchmark::State& state, const MarkdownInput& input, Make make) {
    const std::string& text = input.text();
    if (!haveText(state, text))
        return;
    std::size_t held = 0;
    std::size_t peak = 0;
    for (auto _ : state) {
        std::size_t before = heapBytesInUse();
        const HeapPeak watch;
        auto parsed = make(text);
        peak = watch.bytes();
        held = heapBytesInUse() - before;
        benchmark::DoNotOptimize(&parsed);
    }
    state.counters["peak_bytes"] = static_cast<double>(peak);
    state.counters["held_bytes"] = static_cast<double>(held);
    state.counters["held_per_input_byte"] = static_cast<double>(held) / text.size();
}

StockCmark stockTree(std::string_view text) {
    return StockCmark(text);
}

// The stock pipeline whole: parse, render, free the tree.
std::string stockHTML(std::string_view text) {
    return StockCmark(text).html();
}

// As notes are parsed: no source, no options.
markdown::Document document(std::string_view text) {
    return markdown::Document::parsing(text);
}

// The vault on disk with its index, as a reader window holds it: wikilinks resolve against it
// and look beside the rendered note, which is the vault's first note.
struct RenderedVault {
    RenderedVault() {
        const NoteVault vault(10'000, 200);
        vault.write(scratch.path());
        index = notes::FolderSnapshot::scan(markdown::URL::fileURL(scratch.path())).index;
        note = markdown::URL::fileURL(scratch.path() / vault.notePath(0));
    }

    notes::ScratchFolder scratch;
    notes::LinkIndex index;
    std::optional<markdown::URL> note;
};

const RenderedVault& renderedVault() {
    static const RenderedVault made;
    return made;
}

// As the reader renders a note: default options, the vault's index, the note's address.
notes::MarkdownRenderer::Result rendered(std::string_view text) {
    const RenderedVault& vault = renderedVault();
    return notes::MarkdownRenderer{{}, &vault.index, vault.note}.render(text);
}

template <typename Make>
void add(const std::string& name, const MarkdownInput& input, Make make, bool memory = false) {
    auto* benchmark =
        memory ? benchmark::RegisterBenchmark(
                     name.c_str(),
                     [input, make](benchmark::State& state) { measureHeld(state, input, make); })
               : benchmark::RegisterBenchmark(name.c_str(), [input, make](benchmark::State& state) {
                     timeMaking(state, input, make);
                 });
    if (memory)
        benchmark->Unit(benchmark::kMillisecond)->Iterations(3);
    else
        benchmark->Unit(benchmark::kMicrosecond)->UseRealTime();
}

void registerAll() {
    for (const MarkdownInput& input : markdownInputs()) {
        add("parse/" + input.name() + "/cmark", input, stockTree);
        add("parse/" + input.name() + "/Document", input, document);
        add("render/" + input.name() + "/cmark_html", input, stockHTML);
        add("render/" + input.name() + "/MarkdownRenderer", input, rendered);
        if (input.label == "10MB") {
            add("memory/" + input.name() + "/cmark_tree", input, stockTree, true);
            add("memory/" + input.name() + "/Document", input, document, true);
        }
    }
    for (const MarkdownInput& input : pathologicalInputs()) {
        add("pathological_parse/" + input.name() + "/cmark", input, stockTree);
        add("pathological_parse/" + input.name() + "/Document", input, document);
        add("pathological_render/" + input.name() + "/cmark_html", input, stockHTML);
        add("pathological_render/" + input.name() + "/MarkdownRenderer", input, rendered);
    }
}

} // namespace
} // namespace bench

int main(int argc, char** argv) {
    bench::InstalledMarkdown::addSharedToContext();
    bench::registerAll();
    return bench::runBenchmarks(argc, argv, {"cmark", "cmark_html", "cmark_tree"});
}
