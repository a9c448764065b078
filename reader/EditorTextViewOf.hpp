#pragma once

#include "reader/EditorTextView.hpp"

#include <memory>
#include <optional>
#include <string>

namespace reader {

/// Presents an editor's view as the reader's `EditorTextView` without either knowing the other:
/// `View` offers the same three operations, with a `FinderAction` of its own that uses the same
/// tags. Made where both are known (the window); the view is held weakly.
template <typename View> class EditorTextViewOf final : public EditorTextView {
public:
    explicit EditorTextViewOf(std::weak_ptr<View> view) : view(std::move(view)) {}

    [[nodiscard]] std::optional<std::string>
    textBeforePointBelowTop(double distance) const override {
        if (auto shown = view.lock())
            return shown->textBeforePointBelowTop(distance);
        return std::nullopt;
    }
    void focus() override {
        if (auto shown = view.lock())
            shown->focus();
    }
    void performTextFinderAction(FinderAction action) override {
        if (auto shown = view.lock())
            shown->performTextFinderAction(
                static_cast<typename View::FinderAction>(static_cast<int>(action)));
    }

private:
    std::weak_ptr<View> view;
};

} // namespace reader
