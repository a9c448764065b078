#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace bench {

/// Prints the runs as the console reporter does, then the figures the goals are stated in: each
/// variant's ratio to every reference variant of its group (benchmarks are named
/// "group/variant"), time per MB where a run counts bytes, and time per item where it counts
/// items. Runs that set a "held_bytes" counter are compared by memory instead of time, and by
/// their "peak_bytes" counter too where they have one. With
/// repetitions the median stands for the run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    explicit RatioReporter(std::set<std::string> referenceVariants);

    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

private:
    struct Figure {
        double seconds = 0;
        std::optional<double> bytesPerSecond;
        std::optional<double> itemsPerSecond;
        std::optional<double> heldBytes;
        std::optional<double> peakBytes;
        bool isMedian = false;
    };

    void printRatios();
    void printRates();

    std::set<std::string> references;
    std::map<std::string, Figure> figures;
    // Names in the order they ran, so that the summary follows the table above it.
    std::vector<std::string> names;
};

/// Runs the benchmarks that the command line selects (Google Benchmark's own flags), reporting
/// through a RatioReporter. Returns the process's exit status.
int runBenchmarks(int argc, char** argv, std::set<std::string> referenceVariants);

} // namespace bench
