// The printer's cost: a text printed back as Markdown by `markdown::format`, beside the
// `Document` parse of the same text in the same run. Printing with default options is to cost no
// more than parsing, and with a line limit of 80 no more than twice as much.
#include "bench/support/InstalledMarkdown.hpp"
#include "bench/support/MarkdownInputs.hpp"
#include "bench/support/RatioReporter.hpp"
#include "bench/support/TimeMaking.hpp"

#include "Markdown/elements/Document.hpp"
#include "Markdown/format/MarkupFormatter.hpp"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace bench {
namespace {

// As notes are parsed: no source, no options.
markdown::Document document(std::string_view text) {
    return markdown::Document::parsing(text);
}

// The tree is parsed once, untimed; each iteration prints all of it.
void print(benchmark::State& state, const MarkdownInput& input,
           const markdown::MarkupFormatter::Options& options) {
    const markdown::Document parsed = document(input.text());
    timeMaking(state, input, [&](std::string_view) { return markdown::format(parsed, options); });
}

markdown::MarkupFormatter::Options limited(std::int64_t maxLength) {
    markdown::MarkupFormatter::Options options;
    options.preferredLineLimit = markdown::MarkupFormatter::Options::PreferredLineLimit{
        .lineSplittingElement = markdown::MarkupFormatter::Options::LineSplittingElement::softBreak,
        .maxLength = maxLength};
    return options;
}

void registerAll() {
    const std::vector<MarkdownInput> inputs{{"docs", 1'000'000, "1MB"},
                                            {"docs", 10'000'000, "10MB"},
                                            {"notes", 100'000, "100KB"},
                                            {"notes", 1'000'000, "1MB"}};
    for (const MarkdownInput& input : inputs) {
        const std::string group = "print/" + input.name();
        benchmark::RegisterBenchmark(
            (group + "/Document").c_str(),
            [input](benchmark::State& state) { timeMaking(state, input, document); })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark((group + "/format").c_str(),
                                     [input](benchmark::State& state) { print(state, input, {}); })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark(
            (group + "/format_limit80").c_str(),
            [input](benchmark::State& state) { print(state, input, limited(80)); })
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
