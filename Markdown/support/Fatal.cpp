#include "Markdown/support/Fatal.hpp"

#include <cstdio>
#include <cstdlib>

namespace markdown {

void fatal(std::string_view message) {
    if (!message.empty()) {
        std::fprintf(stderr, "Fatal error: %.*s\n", static_cast<int>(message.size()),
                     message.data());
        std::fflush(stderr);
    }
    std::abort();
}

} // namespace markdown
