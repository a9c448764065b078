#include "app/SystemDesktop.hpp"

#include "app/DesktopApplications.hpp"
#include "app/FileManagerReveal.hpp"
#include "notes/runtime/GLibPtr.hpp"
#include "notes/runtime/GObjectPtr.hpp"
#include "notes/text/PathText.hpp"

#include <gdk/gdk.h>
#include <gio/gio.h>

namespace app {

namespace {

// The launch context of the default display, so that the application opens on the user's
// screen and startup notification works.
notes::GObjectPtr<GAppLaunchContext> launchContext() {
    if (GdkDisplay* display = gdk_display_get_default())
        return notes::GObjectPtr<GAppLaunchContext>(
            G_APP_LAUNCH_CONTEXT(gdk_display_get_app_launch_context(display)));
    return {};
}

// A failed hand-off is one line in the log and nothing on the screen.
void warnUnlessLaunched(bool launched, notes::GErrorPtr error, const char* uri) {
    if (!launched)
        g_warning("Cannot open %s: %s", uri, error ? error->message : "the launch failed");
}

// The error is read only after the call that sets it has returned.
void launchedDefault(GObject*, GAsyncResult* result, gpointer data) {
    notes::GTextPtr uri(static_cast<gchar*>(data));
    GError* error = nullptr;
    const bool launched = g_app_info_launch_default_for_uri_finish(result, &error);
    warnUnlessLaunched(launched, notes::GErrorPtr(error), uri.get());
}

void launchedWith(GObject* application, GAsyncResult* result, gpointer data) {
    notes::GTextPtr uri(static_cast<gchar*>(data));
    GError* error = nullptr;
    const bool launched = g_app_info_launch_uris_finish(G_APP_INFO(application), result, &error);
    warnUnlessLaunched(launched, notes::GErrorPtr(error), uri.get());
}

void launch(const char* uri) {
    auto context = launchContext();
    g_app_info_launch_default_for_uri_async(uri, context.get(), nullptr, launchedDefault,
                                            g_strdup(uri));
}

notes::GTextPtr fileURI(const markdown::URL& file) {
    GError* raw = nullptr;
    notes::GTextPtr uri(g_filename_to_uri(file.path().c_str(), nullptr, &raw));
    if (!uri) {
        notes::GErrorPtr error(raw);
        g_warning("Cannot open %s: %s", file.path().c_str(), error->message);
    }
    return uri;
}

void openWithOther(const markdown::URL& item) {
    const std::string type = contentTypeOf(item.filesystemPath());
    auto applications = otherApplicationsFor(type);
    if (applications.empty()) {
        g_warning("Cannot open %s: no other application opens %s", item.path().c_str(),
                  type.c_str());
        return;
    }
    notes::GTextPtr uri = fileURI(item);
    if (!uri)
        return;
    GList uris{uri.get(), nullptr, nullptr};
    auto context = launchContext();
    g_app_info_launch_uris_async(applications.front().get(), &uris, context.get(), nullptr,
                                 launchedWith, g_strdup(uri.get()));
}

} // namespace

SystemDesktop::SystemDesktop(std::chrono::milliseconds fileManagerTimeout)
    : fileManagerTimeout(fileManagerTimeout) {}

void SystemDesktop::beep() {
    if (GdkDisplay* display = gdk_display_get_default())
        gdk_display_beep(display);
}

void SystemDesktop::openFile(const markdown::URL& file) {
    if (notes::GTextPtr uri = fileURI(file))
        launch(uri.get());
}

void SystemDesktop::openURL(const std::string& url) {
    launch(url.c_str());
}

// This application may itself be the folder handler, so the folder goes to another one.
void SystemDesktop::reveal(const markdown::URL& item) {
    auto folder =
        markdown::URL::fileURL(std::string(notes::deletingLastPathComponent(item.path())));
    showInFileManager(item, fileManagerTimeout, [folder] { openWithOther(folder); });
}

void SystemDesktop::openWithOtherApplication(const markdown::URL& file) {
    openWithOther(file);
}

bool SystemDesktop::isObsidianInstalled() {
    return findObsidian();
}

} // namespace app
