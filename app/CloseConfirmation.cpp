#include "app/CloseConfirmation.hpp"

#include "notes/files/LenientUTF8.hpp"

#include <filesystem>

namespace app {
namespace {

using Choice = reader::ReaderModel::CloseChoice;
using Reason = reader::ReaderModel::UnsavedEdits::Reason;

enum Response { keepResponse = 1, discardResponse = 2, cancelResponse = 3 };

Choice choiceOf(int response) {
    switch (response) {
    case keepResponse:
        return Choice::keepMine;
    case discardResponse:
        return Choice::discard;
    default:
        // Cancel, or the question closed without an answer.
        return Choice::cancel;
    }
}

std::string details(const reader::ReaderModel::UnsavedEdits& unsaved) {
    if (unsaved.reason == Reason::changedOnDisk)
        return "The file changed on disk while you were editing it. Keep your version to write it "
               "over the one on disk, or discard your changes to keep the disk’s.";
    std::string why = unsaved.error ? *unsaved.error + "\n\n" : std::string();
    return why + "Keep your version to try saving it again, or discard your changes.";
}

} // namespace

CloseConfirmation::CloseConfirmation(Gtk::Window& window, reader::ReaderModel& model)
    : window(window), model(model) {
    connections += window.signal_close_request().connect(
        [this] {
            return !mayClose([this](bool closes) {
                if (closes)
                    this->window.close();
            });
        },
        false);
}

CloseConfirmation::~CloseConfirmation() {
    connections.disconnect();
}

bool CloseConfirmation::mayClose(std::function<void(bool)> answered) {
    if (asking) {
        dialog->present();
    } else {
        auto unsaved = model.prepareToClose();
        if (!unsaved)
            return true;
        ask(*unsaved);
    }
    then = std::move(answered);
    return false;
}

Gtk::MessageDialog* CloseConfirmation::question() const {
    return asking ? dialog.get() : nullptr;
}

void CloseConfirmation::ask(const reader::ReaderModel::UnsavedEdits& unsaved) {
    if (!dialog) {
        dialog = std::make_unique<Gtk::MessageDialog>(window, "", false, Gtk::MessageType::WARNING,
                                                      Gtk::ButtonsType::NONE, true);
        dialog->set_hide_on_close(true);
        dialog->add_button(cancelTitle, cancelResponse);
        dialog->add_button(discardTitle, discardResponse);
        dialog->add_button(keepTitle, keepResponse);
        dialog->set_default_response(keepResponse);
        connections +=
            dialog->signal_response().connect([this](int response) { answer(response); });
    }
    const std::string name = std::filesystem::path(unsaved.file.path()).filename().string();
    dialog->set_message(
        notes::replacingInvalidUTF8("Your changes to “" + name + "” aren’t saved."));
    dialog->set_secondary_text(notes::replacingInvalidUTF8(details(unsaved)));
    asking = true;
    dialog->present();
}

void CloseConfirmation::answer(int response) {
    const Choice choice = choiceOf(response);
    bool closes = model.resolveClose(choice);
    if (!closes && choice == Choice::keepMine) {
        // Still not written: the question comes again with the new reason.
        if (auto unsaved = model.prepareToClose()) {
            ask(*unsaved);
            return;
        }
        closes = true;
    }
    asking = false;
    dialog->hide();
    if (auto done = std::exchange(then, {}))
        done(closes);
}

} // namespace app
