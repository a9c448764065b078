#pragma once

#include "reader/model/EditorTextView.hpp"

#include <memory>

namespace reader {

/// The reader model's link to the editor's text view, empty while no editor is shown.
class EditorBridge {
public:
    /// How far below the top of the visible area the top line is read.
    static constexpr double topLineProbeDistance = 60;

    EditorBridge() = default;
    EditorBridge(const EditorBridge&) = delete;
    EditorBridge& operator=(const EditorBridge&) = delete;

    /// The editor's view, held weakly so that the bridge never keeps it alive.
    void setTextView(std::weak_ptr<EditorTextView> view) { attached = std::move(view); }
    [[nodiscard]] std::shared_ptr<EditorTextView> textView() const { return attached.lock(); }

    /// The 1-based source line near the top of the editor's visible text; CR, LF and CR LF each
    /// end one line. 1 without a view or while it has no laid-out text.
    [[nodiscard]] int topVisibleLine() const;
    /// Whether the editor's text has scrolled since it opened at its start line; true without
    /// a view.
    [[nodiscard]] bool hasScrolledSinceOpening() const;

private:
    std::weak_ptr<EditorTextView> attached;
};

} // namespace reader
