#include "app/AppState.hpp"
#include "app/Application.hpp"
#include "app/NoteRendering.hpp"
#include "app/SystemDesktop.hpp"

int main(int argc, char* argv[]) {
    app::SystemDesktop desktop;
    app::AppState state(notes::Settings::userFile(), desktop, app::noteRenderer());
    app::Application application(state);
    return application.run(argc, argv);
}
