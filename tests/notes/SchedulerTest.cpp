#include "notes/MainLoopScheduler.hpp"

#include <glib.h>
#include <gtest/gtest.h>

#include <string>

using namespace std::chrono_literals;

namespace notes {
namespace {

TEST(MainLoopScheduler, RunsPostedAndDelayedTasksOnTheLoopAndNothingAfterCancel) {
    GMainLoop* loop = g_main_loop_new(nullptr, FALSE);
    std::string log;
    {
        MainLoopScheduler scheduler;
        auto cancelled = scheduler.runAfter(5ms, [&] { log += "x"; });
        scheduler.runAfter(20ms, [&] {
            log += "d";
            g_main_loop_quit(loop);
        });
        scheduler.post([&] { log += "p"; });
        scheduler.cancel(cancelled);
        g_main_loop_run(loop);

        scheduler.runAfter(1ms, [&] { log += "late"; });
    }
    // The scheduler is gone: its waiting task must not run.
    g_usleep(5000);
    while (g_main_context_iteration(nullptr, FALSE)) {
    }
    EXPECT_EQ(log, "pd");
    g_main_loop_unref(loop);
}

} // namespace
} // namespace notes
