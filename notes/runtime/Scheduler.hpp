#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

namespace notes {

/// Where main-thread work runs: soon, or after a delay that can be cancelled.
/// Models take one of these so that tests can drive time by hand.
class Scheduler {
public:
    using Task = std::function<void()>;
    using Duration = std::chrono::steady_clock::duration;
    /// Identifies a delayed task; 0 is never a valid identifier.
    using TaskId = std::uint64_t;

    virtual ~Scheduler() = default;

    /// Runs the task on the main thread on a later turn. Safe to call from any thread.
    virtual void post(Task task) = 0;
    /// Runs the task on the main thread once the delay has passed, unless cancelled first.
    virtual TaskId runAfter(Duration delay, Task task) = 0;
    /// Cancels a delayed task; unknown or finished identifiers are ignored.
    virtual void cancel(TaskId id) = 0;
    /// The scheduler's clock.
    [[nodiscard]] virtual std::chrono::steady_clock::time_point now() const = 0;
};

} // namespace notes
