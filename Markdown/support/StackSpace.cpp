#include "Markdown/support/StackSpace.hpp"

#include "Markdown/support/Fatal.hpp"

#include <pthread.h>

#include <algorithm>
#include <cstdint>
#include <exception>

namespace markdown {
namespace {

// Room left for the code that runs between two checks.
constexpr std::size_t reserve = std::size_t{256} * 1024;
constexpr std::size_t freshStackSize = std::size_t{16} * 1024 * 1024;

std::uintptr_t lowestSafeAddress() {
    pthread_attr_t attributes;
    if (pthread_getattr_np(pthread_self(), &attributes) != 0)
        return 0;
    void* base = nullptr;
    std::size_t size = 0;
    int failed = pthread_attr_getstack(&attributes, &base, &size);
    pthread_attr_destroy(&attributes);
    if (failed != 0)
        return 0;
    // Stacks grow down from base + size.
    return reinterpret_cast<std::uintptr_t>(base) + std::min(reserve, size / 2);
}

struct FreshStackRun {
    const std::function<void()>* work;
    std::exception_ptr error;
};

void* runWork(void* argument) {
    auto* run = static_cast<FreshStackRun*>(argument);
    try {
        (*run->work)();
    } catch (...) {
        run->error = std::current_exception();
    }
    return nullptr;
}

} // namespace

bool stackIsLow() {
    static thread_local const std::uintptr_t limit = lowestSafeAddress();
    return reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0)) < limit;
}

void runOnFreshStack(const std::function<void()>& work) {
    FreshStackRun run{&work, nullptr};
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, freshStackSize);
    pthread_t thread;
    int failed = pthread_create(&thread, &attributes, runWork, &run);
    pthread_attr_destroy(&attributes);
    require(failed == 0, "cannot start a thread to continue a deep recursion");
    pthread_join(thread, nullptr);
    if (run.error)
        std::rethrow_exception(run.error);
}

} // namespace markdown
