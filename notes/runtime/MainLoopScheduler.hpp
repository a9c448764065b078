#pragma once

#include "notes/runtime/Scheduler.hpp"

#include <map>
#include <memory>
#include <mutex>

namespace notes {

/// Runs tasks on the GLib main context that is the thread-default one when the scheduler is
/// made (the global default when none is pushed). Delayed tasks still waiting when the
/// scheduler is destroyed are cancelled.
class MainLoopScheduler final : public Scheduler {
public:
    MainLoopScheduler();
    ~MainLoopScheduler() override;
    MainLoopScheduler(const MainLoopScheduler&) = delete;
    MainLoopScheduler& operator=(const MainLoopScheduler&) = delete;

    void post(Task task) override;
    TaskId runAfter(Duration delay, Task task) override;
    void cancel(TaskId id) override;
    [[nodiscard]] std::chrono::steady_clock::time_point now() const override;

    /// Shared with the GLib sources, which may outlive the scheduler.
    struct State;

private:
    std::shared_ptr<State> state;
};

} // namespace notes
