#include "app/WindowRestoration.hpp"

#include "tests/notes/ScratchFolder.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace app {
namespace {

using markdown::URL;
using reader::WindowTarget;

const WindowTarget folderNote{URL::fileURL(std::string("/n/My Notes")),
                              URL::fileURL(std::string("/n/My Notes/a.md"))};
const WindowTarget single{std::nullopt, URL::fileURL(std::string("/b.md"))};

// Stand-ins for windows: only their addresses are used.
const char windows[3] = {};

/// Steps on a restoration: a window opening on a target, or, without one, closing.
using Steps = std::vector<std::pair<int, std::optional<WindowTarget>>>;

/// Takes the steps on a restoration over settings whose windows are `stored`, stores, and
/// gives what the next start reads and the settings file's text.
std::pair<std::vector<WindowTarget>, std::string> afterRun(const std::string& stored,
                                                           const Steps& steps = {}) {
    notes::ScratchFolder folder;
    notes::ScratchFolder::write(folder / "settings.ini", "[Lumenleaf]\nwindows=" + stored + "\n");
    {
        notes::Settings settings(folder / "settings.ini");
        WindowRestoration restoration(settings);
        for (const auto& [index, opens] : steps) {
            const auto* window = reinterpret_cast<const ReaderWindow*>(&windows[index]);
            if (opens)
                restoration.opened(window, *opens);
            else
                restoration.closed(window);
        }
        restoration.store();
    }
    notes::Settings settings(folder / "settings.ini");
    return {WindowRestoration(settings).stored(),
            notes::ScratchFolder::read(folder / "settings.ini")};
}

TEST(WindowRestoration, TheWindowsOpenAtTheEndComeBackWithTheLastOneClosed) {
    const std::string oldText = R"([{"file":"/old.md"}])";
    const Steps threeOpen{{0, folderNote}, {1, single}, {2, WindowTarget{}}};
    EXPECT_THAT(afterRun(oldText, threeOpen).second,
                testing::HasSubstr(R"(windows=[{"file":"/n/My Notes/a.md","folder":"/n/My Notes"},)"
                                   R"({"file":"/b.md"},{}])"));

    const WindowTarget notUTF8{std::nullopt, URL::fileURL(std::string("/\xe9"))};
    // The windows stored, the steps taken, and the windows the next start reads.
    using Case = std::tuple<std::string, Steps, std::vector<WindowTarget>>;
    for (const auto& [stored, steps, read] : {
             Case{oldText, threeOpen, {folderNote, single, {}}},
             // Closing the last window ends the application, so that one comes back.
             Case{oldText, {{0, folderNote}, {1, single}, {0, {}}, {1, {}}}, {single}},
             // A window opened after it replaces it; a path that is not UTF-8 cannot be kept.
             Case{oldText, {{0, folderNote}, {0, {}}, {1, notUTF8}, {2, single}}, {single}},
             // A run without windows keeps what was stored, leaving out what cannot be read.
             Case{oldText, {}, {WindowTarget{std::nullopt, URL::fileURL(std::string("/old.md"))}}},
             Case{"", {}, {}},
             Case{"not json", {}, {}},
             Case{R"({"file":"/b.md"})", {}, {}},
             Case{R"([{"folder":3},"x",{"file":"/b.md","size":[1,2]},{"file":""}])", {}, {single}},
         }) {
        EXPECT_EQ(afterRun(stored, steps).first, read) << stored << " after " << steps.size();
    }
}

} // namespace
} // namespace app
