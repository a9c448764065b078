#include "notes/MainLoopScheduler.hpp"
#include "notes/ManualScheduler.hpp"

#include <glib.h>
#include <gtest/gtest.h>

#include <string>

using namespace std::chrono_literals;

namespace notes {
namespace {

TEST(ManualScheduler, RunsDueTasksInTimeOrderAndSkipsCancelledOnes) {
    ManualScheduler scheduler;
    std::string log;
    scheduler.runAfter(300ms, [&] { log += "c"; });
    auto cancelled = scheduler.runAfter(100ms, [&] { log += "x"; });
    scheduler.runAfter(200ms, [&] {
        log += "b";
        scheduler.post([&] { log += "p"; });
    });
    scheduler.runAfter(200ms, [&] { log += "B"; });
    scheduler.cancel(cancelled);

    scheduler.advance(199ms);
    EXPECT_EQ(log, "");
    scheduler.advance(1ms);
    EXPECT_EQ(log, "bpB");
    EXPECT_EQ(scheduler.pendingCount(), 1u);
    scheduler.advance(1s);
    EXPECT_EQ(log, "bpBc");
}

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
        // A window that redraws every frame must not hold posted tasks back.
        GSource* redraw = g_idle_source_new();
        g_source_set_priority(redraw, G_PRIORITY_HIGH_IDLE + 20);
        g_source_set_callback(
            redraw, +[](gpointer) -> gboolean { return G_SOURCE_CONTINUE; }, nullptr, nullptr);
        g_source_attach(redraw, nullptr);
        g_main_loop_run(loop);
        g_source_destroy(redraw);
        g_source_unref(redraw);

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
