#pragma once

#include "notes/files/EditSession.hpp"

#include <optional>
#include <string>
#include <vector>

namespace editor {

/// What the editor's banner tells the user about the session, and the answers it offers.
struct BannerNotice {
    enum class Action { keepMine, loadTheirs, undoLoadTheirs, stopEditing, saveAgain, dismiss };

    std::string message;
    std::vector<Action> actions;

    /// The notice for the session's state: a disk conflict first, then a failed save, then the
    /// offer to undo loading the disk's text; none when all is well.
    [[nodiscard]] static std::optional<BannerNotice> of(const notes::EditSession& session);

    friend bool operator==(const BannerNotice&, const BannerNotice&) = default;
};

/// The button title of an action.
[[nodiscard]] const char* title(BannerNotice::Action action);

/// Carries the action out on the session.
void perform(BannerNotice::Action action, notes::EditSession& session);

} // namespace editor
