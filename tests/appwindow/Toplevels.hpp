#pragma once

#include "app/Application.hpp"
#include "tests/readerview/DisplayTesting.hpp"

#include <glibmm/main.h>
#include <gtkmm/window.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

// Running the whole application in a test and looking at the windows it opened.
namespace app {

/// The windows of the process of the type.
template <typename Window = Gtk::Window> std::vector<Window*> toplevels() {
    std::vector<Window*> windows;
    for (auto* window : Gtk::Window::list_toplevels()) {
        if (auto* typed = dynamic_cast<Window*>(window))
            windows.push_back(typed);
    }
    return windows;
}

/// What one run of the application gave: its exit status, and the titles of its windows,
/// sorted, when it was ended.
using ApplicationRun = std::pair<int, std::vector<std::string>>;

/// Runs the application on the command line `lumenleaf ARGUMENTS...` until its windows have
/// the titles, sorted (or the time is up), then lets `end` end it: by default, closing the
/// windows one by one as the user would.
inline ApplicationRun runApplication(
    Application& application, std::vector<std::string> arguments,
    const std::vector<std::string>& titles, const std::function<void()>& end = [] {
        for (auto* window : toplevels())
            window->close();
    }) {
    ApplicationRun run;
    // Should a step fail, the run still ends.
    auto giveUp = Glib::signal_timeout().connect_seconds(
        [] { return g_application_quit(g_application_get_default()), false; }, 60);
    Glib::signal_idle().connect_once([&] {
        reader::waitUntil([&] {
            run.second.clear();
            for (auto* window : toplevels())
                run.second.push_back(window->get_title());
            std::ranges::sort(run.second);
            return run.second == titles;
        });
        end();
    });
    arguments.insert(arguments.begin(), "lumenleaf");
    std::vector<char*> argv;
    for (auto& argument : arguments)
        argv.push_back(argument.data());
    run.first = application.run(static_cast<int>(argv.size()), argv.data());
    giveUp.disconnect();
    return run;
}

} // namespace app
