#include "notes/runtime/MainLoopScheduler.hpp"
#include "notes/runtime/ManualScheduler.hpp"

#include "tests/notes/RunMainLoop.hpp"

#include <gtest/gtest.h>

#include <string>

using namespace std::chrono_literals;

namespace notes {

using testing::runFor;
using testing::runUntil;
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
    scheduler.advance(1s);
    EXPECT_EQ(log, "bpBc");
}

TEST(MainLoopScheduler, RunsPostedAndDelayedTasksOnTheLoopAndNothingAfterCancel) {
    std::string log;
    {
        MainLoopScheduler scheduler;
        auto cancelled = scheduler.runAfter(5ms, [&] { log += "x"; });
        scheduler.runAfter(20ms, [&] { log += "d"; });
        scheduler.post([&] { log += "p"; });
        scheduler.cancel(cancelled);
        // A window that redraws every frame must not hold posted tasks back.
        guint redraw = g_idle_add_full(
            G_PRIORITY_HIGH_IDLE + 20, +[](gpointer) -> gboolean { return G_SOURCE_CONTINUE; },
            nullptr, nullptr);
        EXPECT_TRUE(runUntil([&] { return log.ends_with('d'); }));
        g_source_remove(redraw);
        scheduler.runAfter(1ms, [&] { log += "late"; });
    }
    // The scheduler is gone: its waiting task must not run.
    runFor(20ms);
    EXPECT_EQ(log, "pd");
}

} // namespace
} // namespace notes
