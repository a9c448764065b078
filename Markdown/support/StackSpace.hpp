#pragma once

#include <functional>
#include <optional>
#include <type_traits>
#include <utility>

namespace markdown {

/// True when the calling thread is close to the end of its stack.
[[nodiscard]] bool stackIsLow();

/// Runs `work` on a new thread with a fresh stack and waits for it; an exception it throws is
/// thrown here.
void runOnFreshStack(const std::function<void()>& work);

/// Runs `work` and returns its result: right here while the stack has room, otherwise on a
/// fresh stack. Recursive code over a tree calls it once per level, so that trees deeper than
/// any one stack (a quote nested twenty thousand times) are walked without overflow.
template <class F> std::invoke_result_t<F&> withStackSpace(F&& work) {
    using Result = std::invoke_result_t<F&>;
    if (!stackIsLow()) [[likely]]
        return work();
    if constexpr (std::is_void_v<Result>) {
        runOnFreshStack([&] { work(); });
    } else {
        std::optional<Result> result;
        runOnFreshStack([&] { result.emplace(work()); });
        return std::move(*result);
    }
}

} // namespace markdown
