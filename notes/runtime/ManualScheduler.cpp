#include "notes/runtime/ManualScheduler.hpp"

namespace notes {

void ManualScheduler::post(Task task) {
    std::lock_guard lock(mutex);
    posted.push_back(std::move(task));
}

Scheduler::TaskId ManualScheduler::runAfter(Duration delay, Task task) {
    std::lock_guard lock(mutex);
    TaskId id = ++lastId;
    delayed.emplace(std::pair{clock + delay, id}, std::move(task));
    return id;
}

void ManualScheduler::cancel(TaskId id) {
    std::lock_guard lock(mutex);
    std::erase_if(delayed, [id](const auto& entry) { return entry.first.second == id; });
}

std::chrono::steady_clock::time_point ManualScheduler::now() const {
    std::lock_guard lock(mutex);
    return clock;
}

std::size_t ManualScheduler::runPosted() {
    std::size_t count = 0;
    for (;;) {
        std::vector<Task> batch;
        {
            std::lock_guard lock(mutex);
            batch.swap(posted);
        }
        if (batch.empty())
            return count;
        for (auto& task : batch) {
            task();
            ++count;
        }
    }
}

void ManualScheduler::advance(Duration by) {
    std::chrono::steady_clock::time_point target;
    {
        std::lock_guard lock(mutex);
        target = clock + by;
    }
    runPosted();
    for (;;) {
        Task task;
        {
            std::lock_guard lock(mutex);
            auto first = delayed.begin();
            if (first == delayed.end() || first->first.first > target)
                break;
            clock = first->first.first;
            task = std::move(first->second);
            delayed.erase(first);
        }
        task();
        runPosted();
    }
    std::lock_guard lock(mutex);
    clock = target;
}

std::size_t ManualScheduler::pendingCount() const {
    std::lock_guard lock(mutex);
    return delayed.size();
}

} // namespace notes
