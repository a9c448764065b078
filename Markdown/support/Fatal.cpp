#include "Markdown/support/Fatal.hpp"

#include <cstdio>
#include <cstdlib>

namespace markdown {
namespace {

[[noreturn]] void stop(const std::string& report) {
    if (!report.empty()) {
        std::fprintf(stderr, "%s\n", report.c_str());
        std::fflush(stderr);
    }
    std::abort();
}

} // namespace

std::string fatalReport(std::string_view message, const std::optional<FatalSite>& site) {
    std::string report = "Fatal error";
    if (!message.empty()) {
        report += ": ";
        report += message;
    }
    if (site) {
        report += ": file ";
        report += site->file;
        report += ", line ";
        report += std::to_string(site->line);
    }
    return report;
}

void fatal(std::string_view message) {
    // A stop without a message and without a place has nothing to say.
    stop(message.empty() ? std::string() : fatalReport(message));
}

void fatal(std::string_view message, const FatalSite& site) {
    stop(fatalReport(message, site));
}

} // namespace markdown
