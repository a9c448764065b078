#include "app/Application.hpp"

#include "app/AppearanceStyle.hpp"
#include "app/WindowTargetForPath.hpp"

#include <glibmm/main.h>
#include <glibmm/miscutils.h>

#include <algorithm>
#include <iostream>

namespace app {

Application::Application(AppState& state)
    : state(state),
      application(Gtk::Application::create(id, Gio::Application::Flags::HANDLES_OPEN |
                                                   Gio::Application::Flags::NON_UNIQUE)) {
    Glib::set_application_name("Lumenleaf");
    application->signal_startup().connect([this] { started(); });
    application->signal_activate().connect([this] { restoreWindows(); });
    application->signal_shutdown().connect([this] { restoration.store(); });
    application->signal_open().connect([this](const std::vector<Glib::RefPtr<Gio::File>>& files,
                                              const Glib::ustring&) { opened(files); });
    // Closing a window takes it out of the application without hiding it first.
    connections += application->signal_window_removed().connect([this](Gtk::Window* window) {
        if (auto* reader = dynamic_cast<ReaderWindow*>(window))
            closed(reader);
    });
}

Application::~Application() {
    connections.disconnect();
    windows.clear();
}

int Application::run(int argc, char* argv[]) {
    const int status = application->run(argc, argv);
    return status == 0 && missedPath ? 1 : status;
}

ReaderWindow& Application::openWindow(const reader::WindowTarget& target) {
    auto& window = *windows.emplace_back(std::make_unique<ReaderWindow>(state, target));
    restoration.opened(&window, target);
    application->add_window(window);
    window.present();
    return window;
}

void Application::started() {
    applyAppearance(state.display.appearance);
    application->add_action("quit", [this] { quit(); });
    application->set_accels_for_action("app.quit", {"<Control>q"});
}

void Application::quit() {
    bool asking = false;
    for (const auto& window : windows) {
        if (!window->closeConfirmation().mayClose([this](bool closes) {
                if (closes)
                    quit();
            }))
            asking = true;
    }
    if (!asking)
        application->quit();
}

// A target whose paths are gone opens an empty window.
void Application::restoreWindows() {
    auto targets = restoration.stored();
    if (targets.empty())
        targets.emplace_back();
    for (const auto& target : targets)
        openWindow(target);
}

void Application::opened(const std::vector<Glib::RefPtr<Gio::File>>& files) {
    for (const auto& file : files) {
        const std::string path = file->get_path();
        auto target = path.empty() ? std::nullopt : windowTargetForPath(path);
        if (!target) {
            std::cerr << "lumenleaf: nothing to open at " << file->get_parse_name() << '\n';
            missedPath = true;
            continue;
        }
        openWindow(*target);
    }
}

// The window is still inside its own signal: it ends on a later turn of the main loop.
void Application::closed(ReaderWindow* window) {
    restoration.closed(window);
    connections += Glib::signal_idle().connect([this, window] {
        std::erase_if(windows, [window](const auto& held) { return held.get() == window; });
        return false;
    });
}

} // namespace app
