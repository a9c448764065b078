#include "notes/watch/PollPace.hpp"

#include <algorithm>
#include <ctime>

namespace notes {

namespace {

// Time the calling thread has spent on a processor, in user and kernel mode alike.
PollPace::Duration threadProcessorTime() {
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return std::chrono::duration_cast<PollPace::Duration>(std::chrono::seconds(now.tv_sec) +
                                                          std::chrono::nanoseconds(now.tv_nsec));
}

} // namespace

void PollPace::measure(const std::function<void()>& poll) {
    const Duration before = threadProcessorTime();
    poll();
    next = pauseAfter(threadProcessorTime() - before);
}

PollPace::Duration PollPace::pauseAfter(Duration processorTime) {
    return std::clamp<Duration>(processorTime * costFactor, shortest, longest);
}

} // namespace notes
