#pragma once

#include "notes/runtime/Scheduler.hpp"

#include <map>
#include <mutex>
#include <utility>
#include <vector>

namespace notes {

/// A scheduler whose clock moves only when told to; for tests.
class ManualScheduler final : public Scheduler {
public:
    void post(Task task) override;
    TaskId runAfter(Duration delay, Task task) override;
    void cancel(TaskId id) override;
    [[nodiscard]] std::chrono::steady_clock::time_point now() const override;

    /// Runs every posted task, including those posted while running. Returns how many ran.
    std::size_t runPosted();
    /// Moves the clock forward, running posted tasks and every delayed task that falls due,
    /// in the order of their due times.
    void advance(Duration by);
    /// Number of delayed tasks still waiting.
    [[nodiscard]] std::size_t pendingCount() const;

private:
    mutable std::mutex mutex;
    std::vector<Task> posted;
    // Keyed by due time, then identifier, so equal times run in the order they were made.
    std::map<std::pair<std::chrono::steady_clock::time_point, TaskId>, Task> delayed;
    std::chrono::steady_clock::time_point clock{};
    TaskId lastId = 0;
};

} // namespace notes
