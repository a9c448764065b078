#include "app/FileManagerReveal.hpp"

#include "notes/runtime/GLibPtr.hpp"
#include "notes/runtime/GObjectPtr.hpp"

#include <gio/gio.h>

#include <memory>
#include <string>

namespace app {

namespace {

struct Request {
    std::string uri;
    int timeout = 0;
    std::function<void()> noAnswer;
};

void giveUp(std::unique_ptr<Request> request, GError* raw) {
    notes::GErrorPtr error(raw);
    g_debug("No file manager showed %s: %s", request->uri.c_str(),
            error ? error->message : "no session bus");
    request->noAnswer();
}

void answered(GObject* source, GAsyncResult* result, gpointer data) {
    std::unique_ptr<Request> request(static_cast<Request*>(data));
    GError* error = nullptr;
    if (GVariant* reply = g_dbus_connection_call_finish(G_DBUS_CONNECTION(source), result, &error))
        g_variant_unref(reply);
    else
        giveUp(std::move(request), error);
}

void busReady(GObject*, GAsyncResult* result, gpointer data) {
    std::unique_ptr<Request> request(static_cast<Request*>(data));
    GError* error = nullptr;
    auto bus = notes::adoptGObject(g_bus_get_finish(result, &error));
    if (!bus) {
        giveUp(std::move(request), error);
        return;
    }
    const char* uris[] = {request->uri.c_str(), nullptr};
    // No startup id: the file manager raises its window as it sees fit.
    GVariant* arguments = g_variant_new("(^ass)", uris, "");
    const int timeout = request->timeout;
    // Auto-start allowed, so that a file manager that is not running yet is started.
    g_dbus_connection_call(bus.get(), "org.freedesktop.FileManager1",
                           "/org/freedesktop/FileManager1", "org.freedesktop.FileManager1",
                           "ShowItems", arguments, nullptr, G_DBUS_CALL_FLAGS_NONE, timeout,
                           nullptr, answered, request.release());
}

} // namespace

void showInFileManager(const markdown::URL& item, std::chrono::milliseconds timeout,
                       std::function<void()> noAnswer) {
    notes::GTextPtr uri(g_filename_to_uri(item.path().c_str(), nullptr, nullptr));
    if (!uri) {
        noAnswer();
        return;
    }
    auto request = std::make_unique<Request>(
        Request{uri.get(), static_cast<int>(timeout.count()), std::move(noAnswer)});
    g_bus_get(G_BUS_TYPE_SESSION, nullptr, busReady, request.release());
}

} // namespace app
