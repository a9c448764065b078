#pragma once

#include "app/Connections.hpp"
#include "reader/model/ReaderModel.hpp"

#include <gtkmm/listbox.h>
#include <gtkmm/scrolledwindow.h>

#include <optional>
#include <string>
#include <vector>

namespace app {

/// The headings of the note shown, indented by level. Picking one scrolls the page to it; the
/// heading the page reports as its top is the selected one.
class OutlineView : public Gtk::ScrolledWindow {
public:
    explicit OutlineView(reader::ReaderModel& model);

    /// The texts of the rows, top to bottom.
    [[nodiscard]] std::vector<std::string> rowTexts() const;
    /// The id of the selected heading, if any.
    [[nodiscard]] std::optional<std::string> selectedID() const;
    /// Picks the row at the position as the user's click would.
    void pick(int position);

private:
    void headingsChanged();
    void followCurrentHeading();

    reader::ReaderModel& model;
    /// The headings the rows show, in order.
    std::vector<notes::OutlineHeading> headings;
    Gtk::ListBox list;
    bool following = false;
    Connections connections;
};

} // namespace app
