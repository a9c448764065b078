#pragma once

#include "app/AppState.hpp"
#include "app/Application.hpp"
#include "app/NoteRendering.hpp"
#include "app/ReaderWindow.hpp"
#include "reader/view/WebViewScripting.hpp"
#include "tests/notes/ScratchFolder.hpp"
#include "tests/reader/model/ModelHarness.hpp"
#include "tests/support/DisplayTesting.hpp"

#include <glibmm/main.h>
#include <gtest/gtest.h>
#include <gtkmm/init.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace app {

using reader::runFor;
using reader::waitUntil;

/// A note's part taller than the window: a block of blank lines.
inline const std::string tallText = "```\n" + std::string(150, '\n') + "```\n";

/// Reader windows on the display over a scratch folder of notes, with scratch settings.
class WindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // Keys and clicks are sent through the X server.
        ::setenv("GDK_BACKEND", "x11", 1);
        reader::startToolkit(LUMENLEAF_TEST_WEB_DIR);
        Gtk::init_gtkmm_internals();
    }

    void TearDown() override {
        window.reset();
        // Lets the web processes of closed windows wind down before the next test.
        runFor(std::chrono::milliseconds(50));
    }

    /// Writes the settings file that the next `state()` reads.
    void writeSettings(const std::string& keys) {
        notes::ScratchFolder::write(settingsFolder / "settings.ini", "[Lumenleaf]\n" + keys);
    }
    [[nodiscard]] AppState& state() {
        if (!appState)
            appState = std::make_unique<AppState>(settingsFolder / "settings.ini", desktop, render);
        return *appState;
    }

    /// Opens a window on the target and waits until it has settled: a folder scanned, the
    /// note rendered, its page, if any, loaded.
    ReaderWindow& open(const reader::WindowTarget& target) {
        window = std::make_unique<ReaderWindow>(state(), target);
        window->present();
        settle();
        return *window;
    }
    void settle() {
        auto& model = window->model();
        EXPECT_TRUE(waitUntil([&] {
            if (model.isScanning.get() || model.isRendering.get())
                return false;
            const auto& page = model.page.get();
            const auto& loaded = window->noteView().webView().state();
            return !page || (loaded.isLoaded() && loaded.loadedRevision() == page->revision);
        }));
    }

    [[nodiscard]] markdown::URL note(const std::string& name) const {
        return markdown::URL::fileURL(folder / name);
    }
    void writeNote(const std::string& name, const std::string& text) const {
        notes::ScratchFolder::write(folder / name, text);
    }
    [[nodiscard]] reader::WindowTarget folderTarget(std::optional<std::string> initial = {}) const {
        return {markdown::URL::fileURL(folder.path()),
                initial ? std::optional(note(*initial)) : std::nullopt};
    }

    /// The value of a script run in the window's page, or the text "error: " and its message.
    nlohmann::json run(const std::string& script) {
        reader::WebViewScripting page(window->noteView().webView().webView(), state().scheduler);
        return reader::runScript(page, script);
    }
    /// The text of the first heading of the page's note.
    std::string heading() { return run("document.querySelector('#content h1').textContent"); }

    /// Focuses the window and presses the keys there, as xdotool names them ("alt+Left").
    bool press(const std::string& keys) { return xdotool("key --window %w " + keys); }
    /// Focuses the window and clicks the middle of the widget with the pointer.
    bool click(GtkWidget* widget) {
        graphene_point_t middle{static_cast<float>(gtk_widget_get_width(widget)) / 2,
                                static_cast<float>(gtk_widget_get_height(widget)) / 2};
        graphene_point_t at;
        if (!gtk_widget_compute_point(widget, GTK_WIDGET(window->gobj()), &middle, &at))
            return false;
        double x = 0, y = 0;
        gtk_native_get_surface_transform(GTK_NATIVE(window->gobj()), &x, &y);
        return xdotool("mousemove --window %w " + std::to_string(static_cast<int>(at.x + x)) + " " +
                       std::to_string(static_cast<int>(at.y + y)) + " click 1");
    }
    [[nodiscard]] std::string title() const { return window->get_title(); }

    /// The sidebar's visible rows: "+" before an expanded folder, "-" before a collapsed one,
    /// "*" after the selected row, and the rows inside a folder in brackets after it.
    [[nodiscard]] std::string sidebarRows() const {
        std::string text;
        unsigned depth = 0;
        for (const auto& row : window->sidebar().rows()) {
            text += row.depth > depth
                        ? "("
                        : std::string(depth - row.depth, ')') + (text.empty() ? "" : " ");
            depth = row.depth;
            text += (row.isFolder ? (row.isExpanded ? "+" : "-") : "") + row.name +
                    (row.isSelected ? "*" : "");
        }
        return text + std::string(depth, ')');
    }

    /// What one run of the application gave: its exit status, and the titles of its windows,
    /// sorted, when it was ended.
    using ApplicationRun = std::pair<int, std::vector<std::string>>;
    /// Runs the application on the command line `lumenleaf ARGUMENTS...` until its windows have
    /// the titles, sorted (or the time is up), then lets `end` end it: by default, closing the
    /// windows one by one as the user would.
    ApplicationRun runApplication(
        std::vector<std::string> arguments, const std::vector<std::string>& titles,
        const std::function<void(Application&)>& end = [](Application&) {
            for (auto* window : Gtk::Window::list_toplevels())
                window->close();
        }) {
        Application application(state());
        ApplicationRun run;
        // Should a step fail, the run still ends.
        auto giveUp = Glib::signal_timeout().connect_seconds(
            [] { return g_application_quit(g_application_get_default()), false; }, 60);
        Glib::signal_idle().connect_once([&] {
            waitUntil([&] {
                run.second.clear();
                for (auto* window : Gtk::Window::list_toplevels())
                    run.second.push_back(window->get_title());
                std::ranges::sort(run.second);
                return run.second == titles;
            });
            end(application);
        });
        arguments.insert(arguments.begin(), "lumenleaf");
        std::vector<char*> argv;
        for (auto& argument : arguments)
            argv.push_back(argument.data());
        run.first = application.run(static_cast<int>(argv.size()), argv.data());
        giveUp.disconnect();
        return run;
    }

    notes::ScratchFolder folder;
    notes::ScratchFolder settingsFolder;
    /// Records what windows ask of the desktop, so that no test launches anything. Obsidian is
    /// installed for every test: the process keeps the first window's answer, whichever test
    /// opens that window.
    reader::RecordingDesktop desktop = [] {
        reader::RecordingDesktop installed;
        installed.obsidianInstalled = true;
        return installed;
    }();
    /// While a test holds it, the windows' renderings wait on their threads.
    std::timed_mutex renderGate;
    reader::NoteRenderer render = [this, real = noteRenderer()](const auto&... arguments) {
        // Bounded, so that a renderer called on the main thread fails the test instead of
        // hanging it.
        const std::unique_lock pass(renderGate, std::chrono::seconds(30));
        return real(arguments...);
    };
    std::unique_ptr<AppState> appState;
    std::unique_ptr<ReaderWindow> window;

private:
    bool xdotool(std::string command);
};

} // namespace app
