#pragma once

#include "notes/runtime/Scheduler.hpp"

#include <chrono>
#include <functional>

namespace notes {

/// The pause between polls of folders that cannot be watched: `shortest`, or longer for a tree
/// so large that a poll is costly, so that polling takes the same small share of one processor at
/// any size; never longer than `longest`, so that a change still shows up within seconds. A poll
/// is judged by the processor time it took, not by the clock: a machine that held the process off
/// the processor, or a slow disk, says nothing about what the next poll will cost.
class PollPace {
public:
    using Duration = Scheduler::Duration;

    static constexpr std::chrono::milliseconds shortest{2000};
    static constexpr std::chrono::milliseconds longest{5000};
    /// A poll may cost this many times less processor time than the pause after it.
    static constexpr int costFactor = 200;

    /// Runs the poll on the calling thread and sets the pause after it from what it cost.
    void measure(const std::function<void()>& poll);
    /// The pause before the next poll.
    [[nodiscard]] Duration pause() const { return next; }

    /// The pause after a poll that cost `processorTime`.
    [[nodiscard]] static Duration pauseAfter(Duration processorTime);

private:
    Duration next = shortest;
};

} // namespace notes
