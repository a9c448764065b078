#include "reader/ThreadRunner.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace reader {
namespace {

TEST(ThreadRunner, RunsJobsOffTheCallingThreadAndWaitsForThemWhenItEnds) {
    std::atomic<int> finished = 0, onCaller = 0;
    const auto caller = std::this_thread::get_id();
    {
        ThreadRunner runner;
        for (int i = 0; i < 4; ++i)
            runner.run([&] {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                onCaller += std::this_thread::get_id() == caller;
                ++finished;
            });
    }
    EXPECT_EQ(finished, 4);
    EXPECT_EQ(onCaller, 0);
}

} // namespace
} // namespace reader
