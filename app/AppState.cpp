#include "app/AppState.hpp"

namespace app {

AppState::AppState(const std::filesystem::path& settingsFile, reader::Desktop& desktop,
                   reader::NoteRenderer render)
    : settings(settingsFile), desktop(desktop), render(std::move(render)) {}

reader::ReaderServices AppState::services() {
    return {scheduler, background, desktop, render,
            [this](const markdown::URL& folder) { recentFolders.noteRecent(folder); }};
}

} // namespace app
