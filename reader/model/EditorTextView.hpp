#pragma once

#include <optional>
#include <string>

namespace reader {

/// The editor's text view, as the reader model reaches it. The editor's view implements it.
class EditorTextView {
public:
    /// The text finder's actions, by the tags the find commands send.
    enum class FinderAction {
        showFindInterface = 1,
        nextMatch = 2,
        previousMatch = 3,
        showReplaceInterface = 12,
    };

    virtual ~EditorTextView() = default;

    /// The text from its start up to the character at the point `distance` units below the top
    /// of the visible area; none while the view has no laid-out text.
    [[nodiscard]] virtual std::optional<std::string>
    textBeforePointBelowTop(double distance) const = 0;
    /// Whether the text has scrolled since the view put its start line in place; true when it
    /// cannot tell.
    [[nodiscard]] virtual bool hasScrolledSinceOpening() const = 0;
    /// Gives the view keyboard focus in its window, when it is in one.
    virtual void focus() = 0;
    /// Runs one of the text finder's actions.
    virtual void performTextFinderAction(FinderAction action) = 0;
};

} // namespace reader
