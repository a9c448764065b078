// The printer's cost: a docs text printed back as Markdown by `markdown::format`, beside the
// `Document` parse of the same text in the same run. Printing is to cost no more than parsing.
#include "bench/support/InstalledMarkdown.hpp"
#include "bench/support/MarkdownInputs.hpp"
#include "bench/support/RatioReporter.hpp"
#include "bench/support/TimeMaking.hpp"

#include "Markdown/elements/Document.hpp"
#include "Markdown/format/MarkupFormatter.hpp"

#include <benchmark/benchmark.h>

#include <string>
#include <string_view>

namespace bench {
namespace {

// As notes are parsed: no source, no options.
markdown::Document document(std::string_view text) {
    return markdown::Document::parsing(text);
}

// The tree is parsed once, untimed; each iteration prints all of it with default options.
void print(benchmark::State& state, const MarkdownInput& input) {
    const markdown::Document parsed = document(input.text());
    timeMaking(state, input, [&](std::string_view) { return markdown::format(parsed, {}); });
}

void registerAll() {
    for (const MarkdownInput& input : markdownInputs()) {
        if (input.corpus != "docs" || (input.label != "1MB" && input.label != "10MB"))
            continue;
        const std::string group = "print/" + input.name();
        benchmark::RegisterBenchmark(
            (group + "/Document").c_str(),
            [input](benchmark::State& state) { timeMaking(state, input, document); })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark((group + "/format").c_str(),
                                     [input](benchmark::State& state) { print(state, input); })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
}

} // namespace
} // namespace bench

int main(int argc, char** argv) {
    bench::InstalledMarkdown::addSharedToContext();
    bench::registerAll();
    return bench::runBenchmarks(argc, argv, {"Document"});
}
