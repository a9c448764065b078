// The parse, render and memory figures: the stock cmark-gfm parser and renderer against
// `Document` (and, once it exists, `MarkdownRenderer`) on the same inputs, with the cost per MB
// of each at each size.
#include "bench/support/HeapInUse.hpp"
#include "bench/support/InstalledMarkdown.hpp"
#include "bench/support/MarkdownInputs.hpp"
#include "bench/support/RatioReporter.hpp"
#include "bench/support/StockCmark.hpp"

#include "Markdown/Document.hpp"

#include <benchmark/benchmark.h>

#include <optional>
#include <string>
#include <string_view>

namespace bench {
namespace {

// False, with the reason on the run, when the input could not be made on this machine.
bool haveText(benchmark::State& state, const std::string& text) {
    if (!text.empty())
        return true;
    state.SkipWithError("no Markdown documentation installed below /usr/share/doc");
    return false;
}

// Makes a tree (or a rendering) of the input's text, timing that; what `make` returns is freed
// outside the timed part.
template <typename Make>
void timeMaking(benchmark::State& state, const MarkdownInput& input, Make make) {
    const std::string& text = input.text();
    if (!haveText(state, text))
        return;
    std::optional<decltype(make(text))> made;
    for (auto _ : state) {
        made.emplace(make(text));
        benchmark::DoNotOptimize(&*made);
        state.PauseTiming();
        made.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

// What the tree that `make` returns holds once parsing is over; the text itself is not counted.
template <typename Make>
void measureHeld(benchmark::State& state, const MarkdownInput& input, Make make) {
    const std::string& text = input.text();
    if (!haveText(state, text))
        return;
    std::size_t held = 0;
    for (auto _ : state) {
        std::size_t before = heapBytesInUse();
        auto parsed = make(text);
        held = heapBytesInUse() - before;
        benchmark::DoNotOptimize(&parsed);
    }
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
        if (input.label == "10MB") {
            add("memory/" + input.name() + "/cmark_tree", input, stockTree, true);
            add("memory/" + input.name() + "/Document", input, document, true);
        }
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
