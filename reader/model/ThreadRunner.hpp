#pragma once

#include "reader/model/BackgroundRunner.hpp"

#include <list>
#include <memory>
#include <mutex>

namespace reader {

/// Runs each job on a thread of its own. Destroying the runner waits for the jobs still
/// running, so it must end before the scheduler they post to.
class ThreadRunner final : public BackgroundRunner {
public:
    ThreadRunner();
    ~ThreadRunner() override;
    ThreadRunner(const ThreadRunner&) = delete;
    ThreadRunner& operator=(const ThreadRunner&) = delete;

    void run(Job job) override;

private:
    struct Worker;

    std::mutex mutex;
    std::list<std::unique_ptr<Worker>> workers;
};

} // namespace reader
