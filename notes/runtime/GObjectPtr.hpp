#pragma once

#include <glib-object.h>

#include <memory>

namespace notes {

struct GObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};

/// Owns one reference to a GObject.
template <typename T> using GObjectPtr = std::unique_ptr<T, GObjectUnref>;

/// Takes over a reference that the caller already owns (a "transfer full" result).
template <typename T> GObjectPtr<T> adoptGObject(T* object) {
    return GObjectPtr<T>(object);
}

/// Takes a reference of its own, sinking a floating one (a new widget).
template <typename T> GObjectPtr<T> retainGObject(T* object) {
    return GObjectPtr<T>(static_cast<T*>(g_object_ref_sink(object)));
}

} // namespace notes
