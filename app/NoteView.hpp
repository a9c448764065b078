#pragma once

#include "app/Connections.hpp"
#include "notes/PageAppearance.hpp"
#include "notes/Scheduler.hpp"
#include "reader/ReaderModel.hpp"
#include "reader/ReaderWebView.hpp"

#include <gtkmm/box.h>
#include <gtkmm/label.h>
#include <gtkmm/stack.h>

#include <memory>
#include <string>

namespace app {

/// The middle of a window: the note's page, the "Can't Open This Note" page with the model's
/// reason, or an empty page when no note is shown. It hands the page's clicked links to the
/// model and keeps the heading and scroll offset that the page reports.
class NoteView : public Gtk::Stack {
public:
    NoteView(reader::ReaderModel& model, notes::Scheduler& scheduler,
             const notes::PageAppearance& appearance);
    ~NoteView() override;

    /// The names of the stack's pages.
    static constexpr const char* emptyPage = "empty";
    static constexpr const char* errorPage = "error";
    static constexpr const char* notePage = "page";

    [[nodiscard]] std::string shownPage() const { return get_visible_child_name(); }
    /// The text under the error page's title.
    [[nodiscard]] std::string errorText() const { return errorMessage.get_text(); }
    [[nodiscard]] reader::ReaderWebView& webView() { return *view; }

private:
    void pageChanged();

    reader::ReaderModel& model;
    notes::PageAppearance appearance;
    std::unique_ptr<reader::ReaderWebView> view;
    Gtk::Box empty;
    Gtk::Box error{Gtk::Orientation::VERTICAL, 12};
    Gtk::Label errorTitle;
    Gtk::Label errorMessage;
    Connections connections;
};

} // namespace app
