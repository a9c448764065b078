#pragma once

#include "app/AppState.hpp"
#include "app/Connections.hpp"
#include "app/ReaderWindow.hpp"
#include "app/WindowRestoration.hpp"
#include "reader/model/WindowTarget.hpp"

#include <gtkmm/application.h>

#include <memory>
#include <vector>

namespace app {

/// The running application: one reader window per folder or note it is asked to open; started
/// without any, the windows open when it last ended (an empty window when there were none);
/// and the user's light or dark choice applied at start.
/// Several instances may run at once. Ends when its last window closes, or on "app.quit"
/// (Ctrl+Q) once every window has saved its note or the user has said what to do with it.
class Application {
public:
    static constexpr const char* id = "org.lumenleaf.Lumenleaf";

    explicit Application(AppState& state);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    /// Runs the main loop with the command line `lumenleaf [PATH...]`. Fails (1) when a path
    /// names nothing, after the windows of the others have closed.
    int run(int argc, char* argv[]);

    /// Opens a window on the target.
    ReaderWindow& openWindow(const reader::WindowTarget& target);
    /// Ends the application when no window holds edits it could not save; windows that do
    /// ask their question, and the quit goes on when the last of them is answered, unless
    /// with Cancel.
    void quit();

private:
    void started();
    void restoreWindows();
    void opened(const std::vector<Glib::RefPtr<Gio::File>>& files);
    void closed(ReaderWindow* window);

    AppState& state;
    Glib::RefPtr<Gtk::Application> application;
    std::vector<std::unique_ptr<ReaderWindow>> windows;
    WindowRestoration restoration{state.settings};
    bool missedPath = false;
    /// Ended before the windows, which may outlive the main loop's run.
    Connections connections;
};

} // namespace app
