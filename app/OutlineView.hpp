#pragma once

#include "app/Connections.hpp"
#include "app/OutlineItem.hpp"
#include "reader/model/ReaderModel.hpp"

#include <giomm/liststore.h>
#include <gtkmm/listitem.h>
#include <gtkmm/listview.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/singleselection.h>

#include <optional>
#include <string>
#include <vector>

namespace app {

/// The headings of the note on screen, indented by level. Picking one scrolls the page to it; the
/// heading the page reports as its top is the selected one.
///
/// The list holds one item per heading, but rows are made only for what is on screen, and none
/// while the outline is hidden. The headings change with the page they belong to: the window
/// calls `showModelOutline` when the model's page is on screen, so that the outline never lists
/// one note beside another's page.
class OutlineView : public Gtk::ScrolledWindow {
public:
    explicit OutlineView(reader::ReaderModel& model);

    /// Lists the model's headings, in one change of the list.
    void showModelOutline();

    /// The texts of the headings listed, top to bottom.
    [[nodiscard]] std::vector<std::string> rowTexts() const;
    /// The id of the selected heading, if any.
    [[nodiscard]] std::optional<std::string> selectedID() const;
    /// Picks the row at the position as the user's click would.
    void pick(int position);
    /// How many row widgets the outline has made since it was created.
    [[nodiscard]] int rowsMade() const { return madeRows; }

private:
    void setUpRow(const Glib::RefPtr<Gtk::ListItem>& row);
    void bindRow(const Glib::RefPtr<Gtk::ListItem>& row);
    void headingsChanged();
    void followCurrentHeading();
    void scrollPageTo(unsigned position);
    void followVisibility();

    reader::ReaderModel& model;
    Glib::RefPtr<Gio::ListStore<OutlineItem>> items;
    Glib::RefPtr<Gtk::SingleSelection> selection;
    Gtk::ListView list;
    int madeRows = 0;
    Connections connections;
};

} // namespace app
