#pragma once

#include "app/Connections.hpp"
#include "notes/page/PageAppearance.hpp"
#include "notes/runtime/Scheduler.hpp"
#include "reader/model/ReaderModel.hpp"
#include "reader/view/ReaderWebView.hpp"

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/label.h>
#include <gtkmm/overlay.h>
#include <gtkmm/spinner.h>
#include <gtkmm/stack.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>

namespace app {

/// The middle of a window: the note's page, the "Can't Open This Note" page with the model's
/// reason (and, for a note too large to show, a button that opens it in the default editor),
/// or an empty page when no note is shown. A rendering that takes longer than
/// `renderingNoticeDelay` is announced above whatever is shown meanwhile: the last note's page
/// while it is on screen, else the empty page, which stays until the web view has loaded the
/// new page so that a page once replaced never comes back. The announcement lasts until the
/// web view holds the new page, not only until the rendering ends. It hands the page's clicked
/// links to the model and keeps the heading and scroll offset that the page reports.
class NoteView : public Gtk::Overlay {
public:
    NoteView(reader::ReaderModel& model, notes::Scheduler& scheduler,
             const notes::PageAppearance& appearance);
    ~NoteView() override;

    /// The names of the stack's pages.
    static constexpr const char* emptyPage = "empty";
    static constexpr const char* errorPage = "error";
    static constexpr const char* notePage = "page";
    /// Quick renderings come and go unannounced.
    static constexpr std::chrono::milliseconds renderingNoticeDelay{300};

    [[nodiscard]] std::string shownPage() const { return pages.get_visible_child_name(); }
    /// The text under the error page's title.
    [[nodiscard]] std::string errorText() const { return errorMessage.get_text(); }
    /// Whether the error page offers the default editor.
    [[nodiscard]] bool offersDefaultEditor() const { return openElsewhere.get_visible(); }
    /// Whether the view says that the note is being rendered.
    [[nodiscard]] bool announcesRendering() const { return rendering.get_visible(); }
    [[nodiscard]] reader::ReaderWebView& webView() { return *view; }

    /// Emitted when what the model holds is on screen: its page loaded in the web view, the
    /// error page, or the empty page.
    sigc::signal<void()> shownModel;

private:
    void pageChanged();
    void renderingChanged();
    void pageLoaded();
    void announceShown();

    /// What `shownModel` announced last: the stack's page, the note and the page's revision.
    struct Shown {
        std::string page;
        std::optional<markdown::URL> file;
        int revision = 0;
        friend bool operator==(const Shown&, const Shown&) = default;
    };

    reader::ReaderModel& model;
    notes::Scheduler& scheduler;
    notes::PageAppearance appearance;
    std::unique_ptr<reader::ReaderWebView> view;
    Gtk::Stack pages;
    Gtk::Box empty;
    Gtk::Box error{Gtk::Orientation::VERTICAL, 12};
    Gtk::Label errorTitle;
    Gtk::Label errorMessage;
    Gtk::Button openElsewhere;
    Gtk::Box rendering{Gtk::Orientation::HORIZONTAL, 8};
    Gtk::Spinner spinner;
    Gtk::Label renderingLabel;
    std::optional<notes::Scheduler::TaskId> renderingNotice;
    /// The model's page is on its way into the web view, which still holds an older one.
    bool awaitingLoad = false;
    std::optional<Shown> shown;
    Connections connections;
};

} // namespace app
