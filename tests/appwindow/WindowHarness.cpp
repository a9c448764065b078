#include "WindowHarness.hpp"

// X11's macros stay out of the tests that include the harness.
#include <gdk/x11/gdkx.h>

namespace app {

bool WindowTest::xdotool(std::string command) {
    const std::string id = std::to_string(gdk_x11_surface_get_xid(window->get_surface()->gobj()));
    for (auto at = command.find("%w"); at != std::string::npos; at = command.find("%w"))
        command.replace(at, 2, id);
    return std::system(("xdotool windowfocus --sync " + id + " " + command).c_str()) == 0;
}

} // namespace app
