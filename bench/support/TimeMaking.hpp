#pragma once

#include "bench/support/MarkdownInputs.hpp"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <optional>
#include <string>

namespace bench {

/// False, with the reason on the run, when the input could not be made on this machine.
inline bool haveText(benchmark::State& state, const std::string& text) {
    if (!text.empty())
        return true;
    state.SkipWithError("no Markdown documentation installed below /usr/share/doc");
    return false;
}

/// Makes a tree (or a rendering, or a printing) of the input's text, timing that; what `make`
/// returns is freed outside the timed part. The run counts the input's bytes.
template <typename Make>
void timeMaking(benchmark::State& state, const MarkdownInput& input, Make make) {
    const std::string& text = input.text();
    if (!haveText(state, text))
        return;
    // Untimed: what the first call sets up (the rendering's vault) and the caches it warms.
    benchmark::DoNotOptimize(make(text));
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

} // namespace bench
