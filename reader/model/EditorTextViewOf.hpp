#pragma once

#include "reader/model/EditorTextView.hpp"

#include <memory>
#include <optional>
#include <string>

namespace reader {

/// Presents an editor's view as the reader's `EditorTextView` without either knowing the other.
/// `View` offers `textBeforePointBelowTop`, `hasScrolledSinceOpening` and `focus` as the
/// interface has them, and its find as `showFind()` and `findNext(bool forward)`; it has no
/// replace, so that action shows its find. Made where both are known (the window); the view is
/// held weakly.
template <typename View> class EditorTextViewOf final : public EditorTextView {
public:
    explicit EditorTextViewOf(std::weak_ptr<View> view) : view(std::move(view)) {}

    [[nodiscard]] std::optional<std::string>
    textBeforePointBelowTop(double distance) const override {
        if (auto shown = view.lock())
            return shown->textBeforePointBelowTop(distance);
        return std::nullopt;
    }
    [[nodiscard]] bool hasScrolledSinceOpening() const override {
        auto shown = view.lock();
        return !shown || shown->hasScrolledSinceOpening();
    }
    void focus() override {
        if (auto shown = view.lock())
            shown->focus();
    }
    void performTextFinderAction(FinderAction action) override {
        auto shown = view.lock();
        if (!shown)
            return;
        switch (action) {
        case FinderAction::showFindInterface:
        case FinderAction::showReplaceInterface:
            shown->showFind();
            break;
        case FinderAction::nextMatch:
            shown->findNext(true);
            break;
        case FinderAction::previousMatch:
            shown->findNext(false);
            break;
        }
    }

private:
    std::weak_ptr<View> view;
};

} // namespace reader
