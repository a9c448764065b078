#pragma once

#include "app/Connections.hpp"
#include "reader/model/ReaderModel.hpp"

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/label.h>
#include <gtkmm/searchbar.h>
#include <gtkmm/searchentry.h>

#include <functional>
#include <string>

namespace app {

/// The find bar above the page while reading: its field is the model's find query, searched in
/// the page as it changes; previous and next move through the matches, and "n of m" tells
/// where the highlighted one stands. Shown while the model says so; closing it closes the
/// model's find, and when the field had the focus, `returnFocus` takes it back to the page.
class FindBar : public Gtk::SearchBar {
public:
    FindBar(reader::ReaderModel& model, std::function<void()> returnFocus);
    ~FindBar() override;

    [[nodiscard]] Gtk::SearchEntry& field() { return query; }
    /// "n of m", or nothing without a query.
    [[nodiscard]] std::string countText() const { return count.get_text(); }
    /// Clicks the previous or next button.
    void step(bool forward);

private:
    void followVisibility();
    void followQuery();
    void showQuery();
    void followStatus();
    void modeChanged();

    reader::ReaderModel& model;
    std::function<void()> returnFocus;
    Gtk::Box row{Gtk::Orientation::HORIZONTAL, 6};
    Gtk::SearchEntry query;
    Gtk::Button previous;
    Gtk::Button next;
    Gtk::Label count;
    /// While the bar itself brings the field or its mode in line with the model.
    bool following = false;
    Connections connections;
};

} // namespace app
