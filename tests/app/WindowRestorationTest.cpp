#include "app/WindowRestoration.hpp"

#include "tests/notes/ScratchFolder.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace app {
namespace {

using markdown::URL;
using reader::WindowTarget;

const WindowTarget folderNote{URL::fileURL(std::string("/n/My Notes")),
                              URL::fileURL(std::string("/n/My Notes/a.md"))};
const WindowTarget single{std::nullopt, URL::fileURL(std::string("/b.md"))};
const WindowTarget old{std::nullopt, URL::fileURL(std::string("/old.md"))};

// Stand-ins for windows: only their addresses are used.
const char windowMemory[3] = {};
const ReaderWindow* window(int index) {
    return reinterpret_cast<const ReaderWindow*>(&windowMemory[index]);
}

const std::string oldText = R"([{"file":"/old.md"}])";

/// Runs the steps, if any, on a restoration over settings whose windows are `stored`, stores,
/// and gives what the next start reads and the settings file's text.
std::pair<std::vector<WindowTarget>, std::string>
afterRun(const std::string& stored, const std::function<void(WindowRestoration&)>& steps = {}) {
    notes::ScratchFolder folder;
    notes::ScratchFolder::write(folder / "settings.ini", "[Lumenleaf]\nwindows=" + stored + "\n");
    if (steps) {
        notes::Settings settings(folder / "settings.ini");
        WindowRestoration restoration(settings);
        steps(restoration);
        restoration.store();
    }
    notes::Settings settings(folder / "settings.ini");
    return {WindowRestoration(settings).stored(),
            notes::ScratchFolder::read(folder / "settings.ini")};
}

TEST(WindowRestoration, TheWindowsOpenAtTheEndComeBackWithTheLastOneClosed) {
    auto [targets, text] = afterRun(oldText, [](WindowRestoration& restoration) {
        restoration.opened(window(0), folderNote);
        restoration.opened(window(1), single);
        restoration.opened(window(2), {});
    });
    EXPECT_EQ(targets, (std::vector<WindowTarget>{folderNote, single, {}}));
    EXPECT_NE(text.find(R"(windows=[{"file":"/n/My Notes/a.md","folder":"/n/My Notes"},)"
                        R"({"file":"/b.md"},{}])"),
              std::string::npos)
        << text;

    // Closing the last window ends the application, so that one comes back.
    EXPECT_EQ(afterRun(oldText,
                       [](WindowRestoration& restoration) {
                           restoration.opened(window(0), folderNote);
                           restoration.opened(window(1), single);
                           restoration.closed(window(0));
                           restoration.closed(window(1));
                       })
                  .first,
              std::vector<WindowTarget>{single});
    // A window opened after it replaces it; a path that is not UTF-8 cannot be kept.
    EXPECT_EQ(
        afterRun(
            oldText,
            [](WindowRestoration& restoration) {
                restoration.opened(window(0), folderNote);
                restoration.closed(window(0));
                restoration.opened(window(1), {std::nullopt, URL::fileURL(std::string("/\xe9"))});
                restoration.opened(window(2), single);
            })
            .first,
        std::vector<WindowTarget>{single});
    // A run without windows keeps what was stored.
    EXPECT_EQ(afterRun(oldText, [](WindowRestoration&) {}).first, std::vector<WindowTarget>{old});
}

TEST(WindowRestoration, StoredEntriesThatCannotBeReadAreLeftOut) {
    struct Case {
        const char* stored;
        std::vector<WindowTarget> read;
    };
    for (const auto& [text, read] : {
             Case{"", {}},
             Case{"not json", {}},
             Case{R"({"file":"/b.md"})", {}},
             Case{R"([{"folder":3},"x",{"file":"/b.md","size":[1,2]},{"file":""}])", {single}},
         }) {
        EXPECT_EQ(afterRun(text).first, read) << text;
    }
}

} // namespace
} // namespace app
