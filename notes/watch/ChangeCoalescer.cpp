#include "notes/watch/ChangeCoalescer.hpp"

namespace notes {

ChangeCoalescer::ChangeCoalescer(Scheduler& scheduler, Scheduler::Duration latency, Deliver deliver)
    : scheduler(scheduler), latency(latency),
      deliver(std::make_shared<const Deliver>(std::move(deliver))) {}

ChangeCoalescer::~ChangeCoalescer() {
    if (timer != 0)
        scheduler.cancel(timer);
}

void ChangeCoalescer::add(std::span<const FolderChange> changes) {
    if (changes.empty())
        return;
    for (const FolderChange& change : changes) {
        auto [found, isNew] = pendingIndex.try_emplace(change.path, pending.size());
        if (isNew)
            pending.push_back(change);
        else
            pending[found->second].flags |= change.flags;
    }
    if (timer != 0)
        return;
    auto now = scheduler.now();
    if (!lastDelivery || now - *lastDelivery >= latency) {
        flush();
        return;
    }
    timer = scheduler.runAfter(*lastDelivery + latency - now, [this] {
        timer = 0;
        flush();
    });
}

void ChangeCoalescer::flush() {
    std::vector<FolderChange> batch;
    batch.swap(pending);
    pendingIndex.clear();
    lastDelivery = scheduler.now();
    auto callback = deliver;
    // Last step: the callback may destroy this coalescer.
    (*callback)(batch);
}

} // namespace notes
