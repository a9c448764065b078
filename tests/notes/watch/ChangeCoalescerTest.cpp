#include "notes/watch/ChangeCoalescer.hpp"
#include "notes/runtime/ManualScheduler.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

using namespace std::chrono_literals;

namespace notes {
namespace {

constexpr auto created = FolderChange::itemCreated;
constexpr auto removed = FolderChange::itemRemoved;
constexpr auto modified = FolderChange::itemModified;

TEST(ChangeCoalescer, FirstChangeAfterQuietGoesAtOnceAndLaterOnesWaitForTheLatency) {
    ManualScheduler scheduler;
    auto start = scheduler.now();
    std::vector<std::string> log; // "time: path flags, ..." with the flags in hexadecimal
    ChangeCoalescer coalescer(scheduler, 150ms, [&](std::span<const FolderChange> batch) {
        auto at = std::chrono::duration_cast<std::chrono::milliseconds>(scheduler.now() - start);
        std::ostringstream line;
        line << at.count() << ":" << std::hex;
        for (const auto& change : batch)
            line << " " << change.path << " " << change.flags;
        log.push_back(line.str());
    });
    auto addAt = [&](std::chrono::milliseconds at, std::vector<FolderChange> changes) {
        scheduler.advance(start + at - scheduler.now());
        coalescer.add(changes);
    };

    addAt(0ms, {{"a", created}});
    addAt(50ms, {{"b", modified}, {"a", modified}});
    addAt(100ms, {{"b", removed}, {"c", created}, {"a", modified}});
    addAt(149ms, {});
    addAt(200ms, {{"d", created}});      // within the latency of the batch at 150
    addAt(500ms, {{"e", created}});      // quiet again
    addAt(650ms, {{"f", created}});      // exactly the latency after the previous batch
    EXPECT_EQ(log.back(), "650: f 100"); // at once, not on a timer
    addAt(700ms, {{"g", created}});
    scheduler.advance(1s);

    std::vector<std::string> expected = {
        "0: a 100",   "150: b 1200 a 1000 c 100", "300: d 100", "500: e 100", "650: f 100",
        "800: g 100",
    };
    EXPECT_EQ(log, expected);
}

TEST(ChangeCoalescer, NothingIsDeliveredAfterDestructionWhichTheDeliveryMayCause) {
    ManualScheduler scheduler;
    std::vector<FolderChange> change = {{"a", created}};
    std::string log;
    std::unique_ptr<ChangeCoalescer> coalescer;
    coalescer = std::make_unique<ChangeCoalescer>(
        scheduler, 150ms, [&, label = std::string(40, 'x')](std::span<const FolderChange>) {
            if (!log.empty())
                coalescer.reset();
            // The running callback must survive its owner.
            log += log.empty() ? "first " : label.substr(0, 4);
        });
    coalescer->add(change);
    coalescer->add(change);
    scheduler.advance(1s);
    EXPECT_EQ(log, "first xxxx");
    EXPECT_EQ(scheduler.pendingCount(), 0u);
}

} // namespace
} // namespace notes
