#pragma once

#include "notes/runtime/Scheduler.hpp"
#include "notes/watch/FolderChange.hpp"

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <unordered_map>
#include <vector>

namespace notes {

/// Turns a stream of changes into batches: the first change after a quiet period goes out at
/// once; what arrives later waits until `latency` after the previous batch, merged per path
/// (flags OR-ed, in the order each path was first seen).
class ChangeCoalescer {
public:
    using Deliver = std::function<void(std::span<const FolderChange>)>;

    /// The scheduler must outlive the coalescer.
    ChangeCoalescer(Scheduler& scheduler, Scheduler::Duration latency, Deliver deliver);
    /// Cancels a batch still waiting: nothing is delivered afterwards.
    ~ChangeCoalescer();
    ChangeCoalescer(const ChangeCoalescer&) = delete;
    ChangeCoalescer& operator=(const ChangeCoalescer&) = delete;

    /// Takes changes in the order they happened. May deliver before returning; `deliver` may
    /// then destroy the coalescer, so a caller must not touch it after this call.
    void add(std::span<const FolderChange> changes);

private:
    void flush();

    Scheduler& scheduler;
    Scheduler::Duration latency;
    // Shared so that a delivery that destroys the coalescer does not destroy the running callback.
    std::shared_ptr<const Deliver> deliver;
    std::vector<FolderChange> pending;
    std::unordered_map<std::string, std::size_t> pendingIndex; // path -> position in `pending`
    std::optional<std::chrono::steady_clock::time_point> lastDelivery;
    Scheduler::TaskId timer = 0;
};

} // namespace notes
