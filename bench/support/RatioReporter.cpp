#include "bench/support/RatioReporter.hpp"

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <utility>

namespace bench {
namespace {

std::string groupOf(const std::string& name) {
    std::size_t slash = name.rfind('/');
    return slash == std::string::npos ? std::string() : name.substr(0, slash);
}

std::string variantOf(const std::string& name) {
    return name.substr(name.rfind('/') + 1);
}

std::optional<double> counter(const benchmark::BenchmarkReporter::Run& run, const char* name) {
    auto found = run.counters.find(name);
    if (found == run.counters.end())
        return std::nullopt;
    return found->second.value;
}

std::string format(const char* pattern, double value) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

} // namespace

RatioReporter::RatioReporter(std::set<std::string> referenceVariants)
    : benchmark::ConsoleReporter(OO_Tabular), references(std::move(referenceVariants)) {}

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
    benchmark::ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        const bool isMedian = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        if (run.error_occurred || (run.run_type == Run::RT_Aggregate && !isMedian))
            continue;
        const std::string& name = run.run_name.function_name;
        auto [entry, isNew] = figures.try_emplace(name);
        if (isNew)
            names.push_back(name);
        else if (entry->second.isMedian)
            continue;
        Figure& figure = entry->second;
        figure.seconds = run.real_accumulated_time / static_cast<double>(run.iterations);
        figure.bytesPerSecond = counter(run, "bytes_per_second");
        figure.itemsPerSecond = counter(run, "items_per_second");
        figure.heldBytes = counter(run, "held_bytes");
        figure.peakBytes = counter(run, "peak_bytes");
        figure.isMedian = isMedian;
    }
}

void RatioReporter::Finalize() {
    printRatios();
    printRates();
    benchmark::ConsoleReporter::Finalize();
}

void RatioReporter::printRatios() {
    std::vector<std::string> groups;
    for (const std::string& name : names)
        if (std::find(groups.begin(), groups.end(), groupOf(name)) == groups.end())
            groups.push_back(groupOf(name));
    std::ostream& out = GetOutputStream();
    bool headed = false;
    std::vector<std::string> referenceOnly;
    for (const std::string& group : groups) {
        std::vector<std::string> measured;
        std::vector<std::string> referenced;
        for (const std::string& name : names) {
            if (groupOf(name) != group)
                continue;
            (references.contains(variantOf(name)) ? referenced : measured).push_back(name);
        }
        if (referenced.empty())
            continue;
        if (!headed) {
            out << "\nRatios to the reference measured in the same run:\n";
            headed = true;
        }
        if (measured.empty()) {
            referenceOnly.push_back(group);
            continue;
        }
        for (const std::string& ours : measured) {
            for (const std::string& reference : referenced) {
                const Figure& a = figures[ours];
                const Figure& b = figures[reference];
                const bool byMemory = a.heldBytes && b.heldBytes;
                double ratio = byMemory ? *a.heldBytes / *b.heldBytes : a.seconds / b.seconds;
                out << "  " << group << ": " << variantOf(ours) << " / " << variantOf(reference)
                    << " = " << format("%.2f", ratio) << (byMemory ? " (memory held)" : "") << "\n";
                if (a.peakBytes && b.peakBytes)
                    out << "  " << group << ": " << variantOf(ours) << " / " << variantOf(reference)
                        << " = " << format("%.2f", *a.peakBytes / *b.peakBytes)
                        << " (peak while parsing)\n";
            }
        }
    }
    if (referenceOnly.empty())
        return;
    out << "  Reference only, nothing of ours measured yet:";
    for (const std::string& group : referenceOnly)
        out << " " << group;
    out << "\n";
}

void RatioReporter::printRates() {
    std::ostream& out = GetOutputStream();
    bool headed = false;
    for (const std::string& name : names) {
        const Figure& figure = figures[name];
        std::string rate;
        if (figure.bytesPerSecond && *figure.bytesPerSecond > 0)
            rate = format("%.2f ms per MB", 1e3 * 1e6 / *figure.bytesPerSecond);
        else if (figure.itemsPerSecond && *figure.itemsPerSecond > 0)
            rate = format("%.0f ns per item", 1e9 / *figure.itemsPerSecond);
        else
            continue;
        if (!headed) {
            out << "\nCost per unit of input:\n";
            headed = true;
        }
        out << "  " << name << ": " << rate << "\n";
    }
}

int runBenchmarks(int argc, char** argv, std::set<std::string> referenceVariants) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter(std::move(referenceVariants));
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

} // namespace bench
