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

/// The titles of every window of the process, sorted.
inline std::vector<std::string> windowTitles() {
    std::vector<std::string> titles;
    auto toplevels = Gtk::Window::get_toplevels();
    for (guint position = 0; position < toplevels->get_n_items(); ++position) {
        auto window = std::dynamic_pointer_cast<Gtk::Window>(toplevels->get_object(position));
        if (window)
            titles.push_back(window->get_title());
    }
    std::ranges::sort(titles);
    return titles;
}

/// Closes the windows one by one, as the user would.
inline void closeAllWindows() {
    auto toplevels = Gtk::Window::get_toplevels();
    while (toplevels->get_n_items() > 0) {
        auto window = std::dynamic_pointer_cast<Gtk::Window>(toplevels->get_object(0));
        if (!window)
            break;
        window->close();
    }
}

/// What one run of the application gave.
struct ApplicationRun {
    int status = 0;
    /// The titles of its windows when it was ended.
    std::vector<std::string> titles;
};

/// Runs the application on the command line `lumenleaf ARGUMENTS...` until its windows have
/// the titles, sorted (or 20 seconds have passed), then lets `end` end it.
inline ApplicationRun runApplication(Application& application, std::vector<std::string> arguments,
                                     const std::vector<std::string>& titles,
                                     const std::function<void()>& end = closeAllWindows) {
    ApplicationRun run;
    const auto started = std::chrono::steady_clock::now();
    Glib::signal_timeout().connect(
        [&] {
            run.titles = windowTitles();
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
