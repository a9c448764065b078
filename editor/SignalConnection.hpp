#pragma once

#include "notes/runtime/GObjectPtr.hpp"

#include <glib-object.h>

#include <utility>

namespace editor {

/// A handler connected to a GObject's signal, disconnected when this ends: handlers that
/// reach into a C++ object must not outlive it, while the widgets may.
class SignalConnection {
public:
    SignalConnection() = default;
    SignalConnection(gpointer instance, const char* signal, GCallback handler, gpointer data)
        : object(static_cast<GObject*>(g_object_ref(instance))),
          id(g_signal_connect(instance, signal, handler, data)) {}
    ~SignalConnection() {
        if (object && id)
            g_signal_handler_disconnect(object.get(), id);
    }
    SignalConnection(SignalConnection&& other) noexcept
        : object(std::move(other.object)), id(std::exchange(other.id, 0)) {}
    SignalConnection& operator=(SignalConnection&& other) noexcept {
        SignalConnection gone(std::move(*this));
        object = std::move(other.object);
        id = std::exchange(other.id, 0);
        return *this;
    }

private:
    notes::GObjectPtr<GObject> object;
    gulong id = 0;
};

} // namespace editor
