#pragma once

#include <glib.h>

#include <memory>

namespace notes {

struct GErrorFree {
    void operator()(GError* error) const { g_error_free(error); }
};
/// Owns an error that a GLib call reported.
using GErrorPtr = std::unique_ptr<GError, GErrorFree>;

struct GFree {
    void operator()(gpointer memory) const { g_free(memory); }
};
/// Owns a string that GLib allocated ("transfer full").
using GTextPtr = std::unique_ptr<gchar, GFree>;

} // namespace notes
