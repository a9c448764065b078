#include "notes/watch/PollPace.hpp"

#include <gtest/gtest.h>

#include <ctime>
#include <functional>
#include <thread>

using namespace std::chrono_literals;

namespace notes {
namespace {

// Keeps the calling thread busy on a processor for the duration.
void work(std::chrono::nanoseconds duration) {
    auto used = [] {
        timespec now{};
        ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
    };
    const auto end = used() + duration;
    while (used() < end) {
    }
}

// Mended: the pause was 200 times the poll's time by the clock, with no ceiling, so a process
// held off the processor for a second during one poll polled next more than three minutes later.
TEST(PollPace, FollowsWhatAPollCostsTheProcessorUpToAFewSeconds) {
    const struct {
        const char* what;
        std::function<void()> poll;
        PollPace::Duration pause;
    } cases[] = {
        {"quick", [] {}, PollPace::shortest},
        {"held off the processor", [] { std::this_thread::sleep_for(1s); }, PollPace::shortest},
        {"a tenth of a second of work", [] { work(100ms); }, PollPace::longest},
    };
    PollPace pace;
    EXPECT_EQ(pace.pause(), PollPace::shortest);
    for (const auto& each : cases) {
        SCOPED_TRACE(each.what);
        pace.measure(each.poll);
        EXPECT_EQ(pace.pause(), each.pause);
    }
    EXPECT_EQ(PollPace::pauseAfter(15ms), 3s);
    EXPECT_EQ(PollPace::pauseAfter(1h), PollPace::longest);
}

} // namespace
} // namespace notes
