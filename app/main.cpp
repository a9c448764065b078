#include "app/AppState.hpp"
#include "app/Application.hpp"
#include "app/CommandLine.hpp"
#include "app/NoteRendering.hpp"
#include "app/SystemDesktop.hpp"

#include <cstddef>
#include <iostream>

int main(int argc, char* argv[]) {
    if (auto status =
            app::answerInformationOptions({argv, static_cast<std::size_t>(argc)}, std::cout))
        return *status;
    app::SystemDesktop desktop;
    app::AppState state(notes::Settings::userFile(), desktop, app::noteRenderer());
    app::Application application(state);
    return application.run(argc, argv);
}
