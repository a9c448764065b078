// The main thread of a reader window that opens a long note: its CPU time over the first 15 s,
// when the page has loaded and painted, and how long the main loop went without answering.
// A note of 10,000 headings is measured against a note of the same size with 10 headings, with
// the outline hidden and shown, and the same pair at 5 MB; then both pairs again, opened by a
// window that already shows a small note. Needs a display (scripts/bench
// starts Xvfb when there is none).
#include "app/AppState.hpp"
#include "app/NoteRendering.hpp"
#include "app/ReaderWindow.hpp"
#include "app/SystemDesktop.hpp"
#include "reader/view/WebViewScripting.hpp"

#include <glibmm/main.h>
#include <gtk/gtk.h>
#include <gtkmm/init.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;

constexpr auto measured = std::chrono::seconds(15);

double mainThreadCPU() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

/// The note of the measurement: `count` headings "## H1" to "## Hcount", each with a
/// paragraph of one letter (129 KB at 10,000).
std::string denseHeadings(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += "## H" + std::to_string(i) + "\n\nx\n\n";
    return text;
}

/// A note of about `bytes` bytes with `headings` second-level headings spread evenly through it.
std::string note(std::size_t bytes, int headings) {
    const std::string line = "Some text of the note, long enough to wrap once or twice.\n\n";
    std::string text;
    text.reserve(bytes + 64);
    const std::size_t gap = bytes / static_cast<std::size_t>(headings);
    for (int i = 1; i <= headings; ++i) {
        const std::size_t section = text.size() + gap;
        text += "## H" + std::to_string(i) + "\n\n";
        while (text.size() + line.size() <= section)
            text += line;
    }
    return text;
}

struct Run {
    double cpu = 0;
    std::optional<double> loaded;
    std::optional<double> painted;
    double longestStall = 0;
};

// Sleeps between events, so that the main thread's CPU time is the window's alone.
void runLoopUntil(Clock::time_point end) {
    bool done = false;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(end - Clock::now());
    auto timer = Glib::signal_timeout().connect(
        [&] { return done = true, false; },
        static_cast<unsigned>(std::max<std::chrono::milliseconds::rep>(left.count(), 0)));
    while (!done)
        g_main_context_iteration(nullptr, TRUE);
}

/// A run of 15 s from the moment the window is asked for the note: a new window opening it, or,
/// `afterClick`, a window that shows a small note opening it as a click in the sidebar does.
Run measure(const std::filesystem::path& folder, const std::string& text, bool outline,
            bool afterClick) {
    const auto settings = folder / "settings.ini";
    std::ofstream(settings) << "[Lumenleaf]\nshowOutline=" << (outline ? "true" : "false") << "\n";
    const auto file = markdown::URL::fileURL(folder / "note.md");
    std::ofstream(file.filesystemPath(), std::ios::binary) << text;
    const auto before = markdown::URL::fileURL(folder / "before.md");
    std::ofstream(before.filesystemPath()) << "# Before\n\nA short note.\n";

    app::SystemDesktop desktop;
    app::AppState state(settings, desktop, app::noteRenderer());
    std::unique_ptr<app::ReaderWindow> window;
    const auto pageLoaded = [&] {
        const auto& shown = window->model().page.get();
        const auto& loaded = window->noteView().webView().state();
        return shown && shown->fileURL == file && loaded.isLoaded() &&
               loaded.loadedRevision() == shown->revision;
    };
    if (afterClick) {
        window =
            std::make_unique<app::ReaderWindow>(state, reader::WindowTarget{std::nullopt, before});
        window->present();
        const auto& shown = window->noteView().webView().state();
        for (int wait = 0; wait < 400 && !(shown.isLoaded() && window->model().page.get()); ++wait)
            runLoopUntil(Clock::now() + std::chrono::milliseconds(50));
        runLoopUntil(Clock::now() + std::chrono::milliseconds(500));
    }

    Run run;
    const auto start = Clock::now();
    const double cpuStart = mainThreadCPU();
    auto since = [&] { return Seconds(Clock::now() - start).count(); };
    if (afterClick) {
        window->model().open(file);
    } else {
        window =
            std::make_unique<app::ReaderWindow>(state, reader::WindowTarget{std::nullopt, file});
        window->present();
    }
    std::unique_ptr<reader::WebViewScripting> page;
    sigc::connection poll;
    const auto awaitPaint = [&] {
        page = std::make_unique<reader::WebViewScripting>(window->noteView().webView().webView(),
                                                          state.scheduler);
        // Two animation frames later, the page has painted at least once.
        page->evaluate("requestAnimationFrame(() => requestAnimationFrame(() => "
                       "{ window.benchPainted = true; }))");
        poll = Glib::signal_timeout().connect(
            [&] {
                page->evaluate("window.benchPainted === true", [&](auto answer) {
                    const auto* value = std::get_if<nlohmann::json>(&answer);
                    if (!run.painted && value && *value == true) {
                        run.painted = since();
                        poll.disconnect();
                    }
                });
                return true;
            },
            10);
    };
    // The main loop's pulse: the longest gap between two ticks is the longest the window did
    // not answer. It also notes when the page has loaded.
    auto lastTick = Clock::now();
    auto pulse = Glib::signal_timeout().connect(
        [&] {
            const auto now = Clock::now();
            run.longestStall = std::max(run.longestStall, Seconds(now - lastTick).count());
            lastTick = now;
            if (!run.loaded && pageLoaded()) {
                run.loaded = since();
                awaitPaint();
            }
            return true;
        },
        5);
    runLoopUntil(start + measured);
    run.cpu = mainThreadCPU() - cpuStart;
    poll.disconnect();
    pulse.disconnect();
    page.reset();
    window.reset();
    // Lets the closed window's web process wind down before the next run.
    runLoopUntil(Clock::now() + std::chrono::milliseconds(500));
    return run;
}

std::string seconds(const std::optional<double>& value) {
    char text[32];
    if (!value)
        return "never";
    std::snprintf(text, sizeof text, "%.2f s", *value);
    return text;
}

void report(std::string_view name, const Run& run) {
    std::printf("%-42s cpu %6.2f s  loaded %8s  painted %8s  longest stall %5.2f s\n",
                std::string(name).c_str(), run.cpu, seconds(run.loaded).c_str(),
                seconds(run.painted).c_str(), run.longestStall);
}

} // namespace

int main(int argc, char* argv[]) {
    // scripts/bench hands Google Benchmark's flags to every program; a filter picks the runs here
    // too ("--benchmark_filter=window/5MB").
    std::regex filter(".");
    for (std::string_view argument : std::vector<std::string_view>(argv + 1, argv + argc)) {
        constexpr std::string_view flag = "--benchmark_filter=";
        if (argument.starts_with(flag))
            filter = std::regex(std::string(argument.substr(flag.size())));
    }
    // Each line as soon as its run ends: the whole program takes about two minutes.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    ::setenv("GTK_A11Y", "none", 0);
    ::setenv("NO_AT_BRIDGE", "1", 0);
    if (!std::getenv("LUMENLEAF_WEB_DIR"))
        ::setenv("LUMENLEAF_WEB_DIR", LUMENLEAF_BENCH_WEB_DIR, 1);
    gtk_init();
    Gtk::init_gtkmm_internals();

    char pattern[] = "/tmp/lumenleaf-window-bench-XXXXXX";
    if (!mkdtemp(pattern))
        return 1;
    const std::filesystem::path folder = pattern;

    const std::string dense = denseHeadings(10'000);
    const std::size_t small = dense.size();
    const std::size_t large = 5'000'000;
    struct Case {
        const char* name;
        std::string text;
        bool outline;
        bool afterClick = false;
    };
    const Case cases[] = {
        {"window/129KB/10000_headings/hidden", dense, false},
        {"window/129KB/10_headings/hidden", note(small, 10), false},
        {"window/129KB/10000_headings/shown", dense, true},
        {"window/129KB/10_headings/shown", note(small, 10), true},
        {"window/5MB/12700_headings/shown", note(large, 12'700), true},
        {"window/5MB/14_headings/shown", note(large, 14), true},
        {"window/click/129KB/10000_headings/shown", dense, true, true},
        {"window/click/129KB/10_headings/shown", note(small, 10), true, true},
        {"window/click/5MB/12700_headings/shown", note(large, 12'700), true, true},
        {"window/click/5MB/14_headings/shown", note(large, 14), true, true},
    };
    if (std::ranges::none_of(cases,
                             [&](const Case& c) { return std::regex_search(c.name, filter); }))
        return 0;
    std::printf("main thread over the first %lld s after a window opens the note (%zu bytes)\n",
                static_cast<long long>(measured.count()), small);
    // The first window of a process starts the web process's machinery; no run pays for it.
    report("warm-up", measure(folder, note(small, 10), false, false));
    std::vector<std::optional<Run>> runs;
    for (const auto& entry : cases) {
        if (!std::regex_search(entry.name, filter)) {
            runs.emplace_back();
            continue;
        }
        runs.push_back(measure(folder, entry.text, entry.outline, entry.afterClick));
        report(entry.name, *runs.back());
    }
    for (std::size_t pair = 0; pair + 1 < runs.size(); pair += 2) {
        if (runs[pair] && runs[pair + 1])
            std::printf("cpu ratio, %s / %s: %.2f (goal <= 1.5)\n", cases[pair].name,
                        cases[pair + 1].name, runs[pair]->cpu / runs[pair + 1]->cpu);
    }
    std::filesystem::remove_all(folder);
    return 0;
}
