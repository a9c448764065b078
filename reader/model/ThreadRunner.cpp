#include "reader/model/ThreadRunner.hpp"

#include <atomic>
#include <thread>

namespace reader {

struct ThreadRunner::Worker {
    std::atomic<bool> finished = false;
    std::jthread thread;
};

ThreadRunner::ThreadRunner() = default;

ThreadRunner::~ThreadRunner() {
    std::lock_guard lock(mutex);
    workers.clear(); // joins every thread
}

void ThreadRunner::run(Job job) {
    std::lock_guard lock(mutex);
    // Threads that have ended are joined here, so the list stays as short as the work in flight.
    workers.remove_if([](const auto& worker) { return worker->finished.load(); });
    auto& worker = *workers.emplace_back(std::make_unique<Worker>());
    worker.thread = std::jthread([&finished = worker.finished, job = std::move(job)] {
        job();
        finished.store(true);
    });
}

} // namespace reader
