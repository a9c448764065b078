#include "app/SystemDesktop.hpp"

#include "notes/GObjectPtr.hpp"

#include <gdk/gdk.h>
#include <gio/gio.h>

#include <memory>

namespace app {

namespace {

struct ErrorDeleter {
    void operator()(GError* error) const { g_error_free(error); }
};
struct TextDeleter {
    void operator()(gchar* text) const { g_free(text); }
};

void launched(GObject*, GAsyncResult* result, gpointer data) {
    std::unique_ptr<gchar, TextDeleter> uri(static_cast<gchar*>(data));
    GError* raw = nullptr;
    if (!g_app_info_launch_default_for_uri_finish(result, &raw)) {
        std::unique_ptr<GError, ErrorDeleter> error(raw);
        g_warning("Cannot open %s: %s", uri.get(), error->message);
    }
}

// The launch context of the default display, so that the application opens on the user's
// screen and startup notification works.
void launch(const char* uri) {
    notes::GObjectPtr<GdkAppLaunchContext> context;
    if (GdkDisplay* display = gdk_display_get_default())
        context = notes::adoptGObject(gdk_display_get_app_launch_context(display));
    g_app_info_launch_default_for_uri_async(uri,
                                            context ? G_APP_LAUNCH_CONTEXT(context.get()) : nullptr,
                                            nullptr, launched, g_strdup(uri));
}

} // namespace

void SystemDesktop::beep() {
    if (GdkDisplay* display = gdk_display_get_default())
        gdk_display_beep(display);
}

void SystemDesktop::openFile(const markdown::URL& file) {
    GError* raw = nullptr;
    std::unique_ptr<gchar, TextDeleter> uri(g_filename_to_uri(file.path().c_str(), nullptr, &raw));
    if (!uri) {
        std::unique_ptr<GError, ErrorDeleter> error(raw);
        g_warning("Cannot open %s: %s", file.path().c_str(), error->message);
        return;
    }
    launch(uri.get());
}

void SystemDesktop::openURL(const std::string& url) {
    launch(url.c_str());
}

} // namespace app
