#include "Markdown/tree/UniqueIdentifier.hpp"

#include <atomic>

namespace markdown {
namespace {

std::atomic<std::uint64_t> counter{0};

} // namespace

std::uint64_t increment_and_get_unique_id() {
    return counter.fetch_add(1, std::memory_order_relaxed) + 1;
}

std::uint64_t current_unique_id() {
    return counter.load(std::memory_order_relaxed);
}

} // namespace markdown
