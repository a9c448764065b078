#pragma once

#include "app/Connections.hpp"
#include "reader/model/ReaderModel.hpp"

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/label.h>

#include <string>

namespace app {

/// A one-line banner with the model's notice, such as why editing did not start; shown while
/// there is one. Dismissing it clears the notice.
class NoticeBanner : public Gtk::Box {
public:
    explicit NoticeBanner(reader::ReaderModel& model);

    [[nodiscard]] std::string text() const { return message.get_text(); }
    /// Clicks the dismiss button.
    void dismiss();

private:
    void followNotice();

    reader::ReaderModel& model;
    Gtk::Label message;
    Gtk::Button close;
    Connections connections;
};

} // namespace app
