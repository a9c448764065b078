#pragma once

#include "editor/BannerNotice.hpp"
#include "editor/SignalConnection.hpp"
#include "notes/files/EditSession.hpp"
#include "notes/runtime/GObjectPtr.hpp"

#include <gtk/gtk.h>
#include <sigc++/trackable.h>

#include <memory>
#include <vector>

namespace editor {

/// The bar above the editor's text that tells the user of the session's conflicts with the
/// disk and of failed saves, with buttons for the answers; hidden while all is well.
class EditorBanner : public sigc::trackable {
public:
    explicit EditorBanner(std::shared_ptr<notes::EditSession> session);
    EditorBanner(const EditorBanner&) = delete;
    EditorBanner& operator=(const EditorBanner&) = delete;

    [[nodiscard]] GtkWidget* widget() const noexcept { return bar.get(); }

private:
    void update();
    void showActions(const std::vector<BannerNotice::Action>& actions);
    static void clicked(GtkButton* button, gpointer banner);

    std::shared_ptr<notes::EditSession> session;
    notes::GObjectPtr<GtkWidget> bar;
    GtkWidget* message;
    GtkWidget* buttons;
    std::vector<BannerNotice::Action> shown;
    std::vector<SignalConnection> clicks;
};

} // namespace editor
