#pragma once

#include <gtk/gtk.h>
#include <webkit/webkit.h>

namespace reader {

/// Pinching the page magnifies it, a reverse pinch shrinks it: the page's zoom, which lays the
/// text out again to the view's width and is separate from the text scale setting. Each pinch
/// starts from the magnification the last one left. Lives as long as the web view's widget.
class PinchMagnification {
public:
    static constexpr double minimumZoom = 0.5;
    static constexpr double maximumZoom = 3.0;

    /// Puts the zoom gesture on the view, in place of WebKit's own.
    explicit PinchMagnification(WebKitWebView* view);
    ~PinchMagnification();
    PinchMagnification(const PinchMagnification&) = delete;
    PinchMagnification& operator=(const PinchMagnification&) = delete;

    /// The gesture, owned by the view's widget.
    [[nodiscard]] GtkGestureZoom* gesture() const { return zoom; }

private:
    static void began(GtkGesture*, GdkEventSequence*, gpointer self);
    static void scaleChanged(GtkGestureZoom*, double scale, gpointer self);

    WebKitWebView* view;
    GtkGestureZoom* zoom;
    double zoomAtStart = 1;
};

} // namespace reader
