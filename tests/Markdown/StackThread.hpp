#pragma once

// Runs a test body on a thread with a stack of a given size, as the main thread of a desktop
// program has, so that unbounded recursion shows up as a crash.

#include <pthread.h>

#include <functional>
#include <stdexcept>

namespace markdown::testing {

inline void runWithStackSize(std::size_t bytes, std::function<void()> body) {
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, bytes);
    pthread_t thread;
    auto trampoline = [](void* argument) -> void* {
        (*static_cast<std::function<void()>*>(argument))();
        return nullptr;
    };
    int failed = pthread_create(&thread, &attributes, trampoline, &body);
    pthread_attr_destroy(&attributes);
    if (failed != 0)
        throw std::runtime_error("cannot start a thread");
    pthread_join(thread, nullptr);
}

inline constexpr std::size_t desktopStackSize = std::size_t{8} * 1024 * 1024;

} // namespace markdown::testing
