// The stock cmark-gfm side of the parse, render and memory figures, and its cost per MB at each
// size. The Lumenleaf side joins each group under the same input names (see README.md).
#include "bench/support/HeapInUse.hpp"
#include "bench/support/InstalledMarkdown.hpp"
#include "bench/support/MarkdownInputs.hpp"
#include "bench/support/RatioReporter.hpp"
#include "bench/support/StockCmark.hpp"

#include <benchmark/benchmark.h>

#include <optional>
#include <string>

namespace bench {
namespace {

// False, with the reason on the run, when the input could not be made on this machine.
bool haveText(benchmark::State& state, const std::string& text) {
    if (!text.empty())
        return true;
    state.SkipWithError("no Markdown documentation installed below /usr/share/doc");
    return false;
}

// Parses the input's text with the stock parser, and renders the tree to HTML when asked, timing
// both; each tree is freed outside the timed part.
void parseAndRender(benchmark::State& state, const MarkdownInput& input, bool render) {
    const std::string& text = input.text();
    if (!haveText(state, text))
        return;
    std::optional<StockCmark> parsed;
    for (auto _ : state) {
        parsed.emplace(text);
        benchmark::DoNotOptimize(parsed->root());
        if (render) {
            std::string html = parsed->html();
            benchmark::DoNotOptimize(html.data());
        }
        state.PauseTiming();
        parsed.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

// What the parsed tree holds once parsing is over; the text itself is not counted.
void memory(benchmark::State& state, const MarkdownInput& input) {
    const std::string& text = input.text();
    if (!haveText(state, text))
        return;
    std::size_t held = 0;
    for (auto _ : state) {
        std::size_t before = heapBytesInUse();
        StockCmark parsed(text);
        held = heapBytesInUse() - before;
        benchmark::DoNotOptimize(parsed.root());
    }
    state.counters["held_bytes"] = static_cast<double>(held);
    state.counters["held_per_input_byte"] = static_cast<double>(held) / text.size();
}

void registerAll() {
    for (const MarkdownInput& input : markdownInputs()) {
        benchmark::RegisterBenchmark(("parse/" + input.name() + "/cmark").c_str(), parseAndRender,
                                     input, false)
            ->Unit(benchmark::kMicrosecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark(("render/" + input.name() + "/cmark_html").c_str(),
                                     parseAndRender, input, true)
            ->Unit(benchmark::kMicrosecond)
            ->UseRealTime();
        if (input.label == "10MB")
            benchmark::RegisterBenchmark(("memory/" + input.name() + "/cmark_tree").c_str(), memory,
                                         input)
                ->Unit(benchmark::kMillisecond)
                ->Iterations(3);
    }
}

} // namespace
} // namespace bench

int main(int argc, char** argv) {
    const bench::InstalledMarkdown& docs = bench::InstalledMarkdown::shared();
    benchmark::AddCustomContext("installed Markdown documentation",
                                std::to_string(docs.fileCount()) + " files, " +
                                    std::to_string(docs.byteCount()) + " bytes");
    bench::registerAll();
    return bench::runBenchmarks(argc, argv, {"cmark", "cmark_html", "cmark_tree"});
}
