#pragma once

#include "Markdown/support/URL.hpp"
#include "notes/runtime/Scheduler.hpp"
#include "reader/model/BackgroundRunner.hpp"
#include "reader/model/Desktop.hpp"
#include "reader/model/NoteRenderer.hpp"

#include <functional>

namespace reader {

/// What a window's model uses from outside itself. The scheduler, the runner and the desktop
/// outlive every model; the runner finishes its jobs before the scheduler ends.
struct ReaderServices {
    /// Main-thread delays and the hand-back of background results.
    notes::Scheduler& scheduler;
    /// Where folder scans and note renderings run.
    BackgroundRunner& background;
    Desktop& desktop;
    /// Renders a note's text into its page fragment and outline.
    NoteRenderer render;
    /// Notes a folder the user opened as the application's most recent one.
    std::function<void(const markdown::URL& folder)> noteRecent;
};

} // namespace reader
