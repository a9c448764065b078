#include "reader/view/PinchMagnification.hpp"

#include <algorithm>

namespace reader {

namespace {

// WebKit's own pinch scales the page like a lens, leaving lines wider than the view; both at
// once would also multiply their effects.
void silenceOtherZoomGestures(GtkWidget* widget, GtkGestureZoom* kept) {
    GListModel* controllers = gtk_widget_observe_controllers(widget);
    for (guint i = 0; i < g_list_model_get_n_items(controllers); ++i) {
        auto* controller = static_cast<GtkEventController*>(g_list_model_get_item(controllers, i));
        if (GTK_IS_GESTURE_ZOOM(controller) && controller != GTK_EVENT_CONTROLLER(kept))
            gtk_event_controller_set_propagation_phase(controller, GTK_PHASE_NONE);
        g_object_unref(controller);
    }
    g_object_unref(controllers);
}

} // namespace

PinchMagnification::PinchMagnification(WebKitWebView* view)
    : view(view), zoom(GTK_GESTURE_ZOOM(gtk_gesture_zoom_new())) {
    silenceOtherZoomGestures(GTK_WIDGET(view), zoom);
    // Before the page sees the fingers, so that a pinch never reaches it as a drag.
    gtk_event_controller_set_propagation_phase(GTK_EVENT_CONTROLLER(zoom), GTK_PHASE_CAPTURE);
    g_signal_connect(zoom, "begin", G_CALLBACK(began), this);
    g_signal_connect(zoom, "scale-changed", G_CALLBACK(scaleChanged), this);
    gtk_widget_add_controller(GTK_WIDGET(view), GTK_EVENT_CONTROLLER(zoom));
}

PinchMagnification::~PinchMagnification() {
    g_signal_handlers_disconnect_by_data(zoom, this);
}

void PinchMagnification::began(GtkGesture* gesture, GdkEventSequence*, gpointer data) {
    auto* self = static_cast<PinchMagnification*>(data);
    self->zoomAtStart = webkit_web_view_get_zoom_level(self->view);
    gtk_gesture_set_state(gesture, GTK_EVENT_SEQUENCE_CLAIMED);
}

void PinchMagnification::scaleChanged(GtkGestureZoom*, double scale, gpointer data) {
    auto* self = static_cast<PinchMagnification*>(data);
    const double zoom = std::clamp(self->zoomAtStart * scale, minimumZoom, maximumZoom);
    if (zoom != webkit_web_view_get_zoom_level(self->view))
        webkit_web_view_set_zoom_level(self->view, zoom);
}

} // namespace reader
