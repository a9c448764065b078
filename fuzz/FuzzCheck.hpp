#pragma once

#include <cstdio>
#include <cstdlib>

namespace fuzz {

/// Stops the run as a finding when a property does not hold, naming it; libFuzzer keeps the
/// input that did it.
inline void check(bool holds, const char* property) {
    if (holds)
        return;
    std::fprintf(stderr, "property broken: %s\n", property);
    std::abort();
}

} // namespace fuzz
