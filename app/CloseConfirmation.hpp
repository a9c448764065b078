#pragma once

#include "app/Connections.hpp"
#include "reader/model/ReaderModel.hpp"

#include <gtkmm/messagedialog.h>
#include <gtkmm/window.h>

#include <functional>
#include <memory>

namespace app {

/// Keeps a window open while closing it would lose the note being edited: the session is saved
/// first, and when it cannot be (a conflict with the disk, a failed write) the window asks
/// whether to keep the user's version (written over the disk's), discard it, or cancel.
/// Nothing is lost without the user saying so.
class CloseConfirmation {
public:
    /// Answers the window's close requests from now on.
    CloseConfirmation(Gtk::Window& window, reader::ReaderModel& model);
    ~CloseConfirmation();
    CloseConfirmation(const CloseConfirmation&) = delete;
    CloseConfirmation& operator=(const CloseConfirmation&) = delete;

    /// The titles of the question's answers.
    static constexpr const char* keepTitle = "Keep My Version";
    static constexpr const char* discardTitle = "Discard Changes";
    static constexpr const char* cancelTitle = "Cancel";

    /// Whether the window may close now. Otherwise the window asks, and `answered` learns
    /// whether the user's answer lets it close; when keeping their version fails to write, the
    /// question comes again. While asking, a second call brings the question forward and
    /// answers the new caller instead.
    [[nodiscard]] bool mayClose(std::function<void(bool)> answered);

    /// The question on screen, none while not asking.
    [[nodiscard]] Gtk::MessageDialog* question() const;

private:
    void ask(const reader::ReaderModel::UnsavedEdits& unsaved);
    void answer(int response);

    Gtk::Window& window;
    reader::ReaderModel& model;
    /// Made on the first question and kept for later ones: it cannot end inside its own
    /// answer.
    std::unique_ptr<Gtk::MessageDialog> dialog;
    std::function<void(bool)> then;
    bool asking = false;
    Connections connections;
};

} // namespace app
