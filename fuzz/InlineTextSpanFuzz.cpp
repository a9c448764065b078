// The byte scanner of wikilinks, embeds, footnote references, highlights and addresses,
// differentially: on any bytes it finds exactly what the regular expression it replaced finds,
// also when some constructs are refused and the search goes on inside them.
#include "fuzz/FuzzCheck.hpp"
#include "tests/notes/render/InlineTextPattern.hpp"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    // The first byte picks which constructs are refused.
    const std::uint8_t refusing = data[0];
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    const notes::testing::AcceptSpan filters[] = {
        [](const notes::InlineTextSpan&) { return true; },
        [refusing](const notes::InlineTextSpan& span) {
            return (span.begin * 7 + span.end + refusing) % 4 != 0;
        },
    };
    for (const notes::testing::AcceptSpan& accept : filters)
        fuzz::check(notes::testing::scannedSpans(text, accept) ==
                        notes::testing::patternSpans(text, accept),
                    "the scanner finds what the pattern finds");
    return 0;
}
