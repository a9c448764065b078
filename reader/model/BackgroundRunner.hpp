#pragma once

#include <functional>

namespace reader {

/// Runs work off the main thread, such as folder scans and renderings. Work hands its results
/// back to the main thread through the scheduler; it must touch nothing of a model directly.
class BackgroundRunner {
public:
    using Job = std::function<void()>;

    virtual ~BackgroundRunner() = default;

    /// Starts the job; returns at once.
    virtual void run(Job job) = 0;
};

} // namespace reader
