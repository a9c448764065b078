#include "editor/BannerNotice.hpp"

namespace editor {

std::optional<BannerNotice> BannerNotice::of(const notes::EditSession& session) {
    using notes::EditSession;
    const auto& conflict = session.conflict.get();
    if (conflict && std::holds_alternative<EditSession::ChangedOnDisk>(*conflict))
        return BannerNotice{"This note changed on disk while you were editing it.",
                            {Action::keepMine, Action::loadTheirs}};
    if (conflict && std::holds_alternative<EditSession::NotUTF8OnDisk>(*conflict))
        return BannerNotice{
            "Another program changed this file into text that isn\u2019t plain UTF-8.",
            {Action::keepMine, Action::stopEditing}};
    if (const auto& error = session.lastError.get())
        return BannerNotice{*error, {Action::saveAgain, Action::dismiss}};
    if (conflict && std::holds_alternative<EditSession::LoadedTheirs>(*conflict))
        return BannerNotice{"The note now shows the text on disk.",
                            {Action::undoLoadTheirs, Action::dismiss}};
    return std::nullopt;
}

const char* title(BannerNotice::Action action) {
    switch (action) {
    case BannerNotice::Action::keepMine:
        return "Keep Mine";
    case BannerNotice::Action::loadTheirs:
        return "Load Theirs";
    case BannerNotice::Action::undoLoadTheirs:
        return "Undo";
    case BannerNotice::Action::stopEditing:
        return "Stop Editing";
    case BannerNotice::Action::saveAgain:
        return "Try Again";
    case BannerNotice::Action::dismiss:
        return "Dismiss";
    }
    return "";
}

void perform(BannerNotice::Action action, notes::EditSession& session) {
    switch (action) {
    case BannerNotice::Action::keepMine:
        session.keepMine();
        break;
    case BannerNotice::Action::loadTheirs:
        session.loadTheirs();
        break;
    case BannerNotice::Action::undoLoadTheirs:
        session.undoLoadTheirs();
        break;
    case BannerNotice::Action::stopEditing:
        session.stopEditing();
        break;
    case BannerNotice::Action::saveAgain:
        session.save();
        break;
    case BannerNotice::Action::dismiss:
        // Dismissing answers what the banner showed: a failed save, else the undo offer.
        if (session.lastError.get())
            session.lastError.set(std::nullopt);
        else if (const auto& conflict = session.conflict.get();
                 conflict && std::holds_alternative<notes::EditSession::LoadedTheirs>(*conflict))
            session.conflict.set(std::nullopt);
        break;
    }
}

} // namespace editor
