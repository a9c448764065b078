#pragma once

#include "app/Application.hpp"

#include <glibmm/main.h>
#include <gtkmm/window.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

// Running the whole application in a test and looking at the windows it opened.
namespace app {

/// The windows of the process of the type.
template <typename Window = Gtk::Window> std::vector<Window*> toplevels() {
    std::vector<Window*> windows;
    auto all = Gtk::Window::get_toplevels();
    for (guint position = 0; position < all->get_n_items(); ++position) {
        if (auto* window = dynamic_cast<Window*>(
                std::dynamic_pointer_cast<Gtk::Window>(all->get_object(position)).get()))
            windows.push_back(window);
    }
    return windows;
}

/// What one run of the application gave.
struct ApplicationRun {
    int status = 0;
    /// The titles of its windows when it was ended, sorted.
    std::vector<std::string> titles;
};

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
    const auto started = std::chrono::steady_clock::now();
    Glib::signal_timeout().connect(
        [&] {
            run.titles.clear();
            for (auto* window : toplevels())
                run.titles.push_back(window->get_title());
            std::ranges::sort(run.titles);
            if (run.titles != titles &&
                std::chrono::steady_clock::now() - started < std::chrono::seconds(20))
                return true;
            end();
            return false;
        },
        50);
    arguments.insert(arguments.begin(), "lumenleaf");
    std::vector<char*> argv;
    for (auto& argument : arguments)
        argv.push_back(argument.data());
    run.status = application.run(static_cast<int>(argv.size()), argv.data());
    return run;
}

} // namespace app
