#pragma once

#include "app/DisplaySettings.hpp"
#include "notes/runtime/MainLoopScheduler.hpp"
#include "notes/runtime/Settings.hpp"
#include "reader/model/Desktop.hpp"
#include "reader/model/NoteRenderer.hpp"
#include "reader/model/ReaderServices.hpp"
#include "reader/model/RecentFolders.hpp"
#include "reader/model/ThreadRunner.hpp"

#include <filesystem>

namespace app {

/// What every window of the process shares: the settings file, the recent folders, the main
/// loop's scheduler, the threads that scan folders and render notes, the desktop and the note
/// renderer. Made once on the main thread before the first window and ended after the last.
class AppState {
public:
    AppState(const std::filesystem::path& settingsFile, reader::Desktop& desktop,
             reader::NoteRenderer render);
    AppState(const AppState&) = delete;
    AppState& operator=(const AppState&) = delete;

    /// What a new window's model uses.
    [[nodiscard]] reader::ReaderServices services();

    notes::Settings settings;
    reader::RecentFolders recentFolders{settings};
    /// The display settings as read when the process started.
    DisplaySettings display = DisplaySettings::read(settings);
    notes::MainLoopScheduler scheduler;
    /// Ends before the scheduler, so that scans and renderings still running can hand their
    /// results back.
    reader::ThreadRunner background;

private:
    reader::Desktop& desktop;
    reader::NoteRenderer render;
};

} // namespace app
