#include "app/WindowRestoration.hpp"

#include "tests/notes/ScratchFolder.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace app {
namespace {

using markdown::URL;
using reader::WindowTarget;

const WindowTarget noteInFolder{URL::fileURL(std::string("/n/My Notes")),
                                URL::fileURL(std::string("/n/My Notes/a.md"))};
const WindowTarget singleNote{std::nullopt, URL::fileURL(std::string("/b.md"))};
const WindowTarget emptyWindow{};

// Stand-ins for three windows: only their addresses are used.
const char windowMemory[3] = {};
const ReaderWindow* window(int index) {
    return reinterpret_cast<const ReaderWindow*>(&windowMemory[index]);
}

struct Stored {
    Stored() {
        notes::ScratchFolder::write(file(), "[Lumenleaf]\nwindows=[{\"file\":\"/old.md\"}]\n");
    }
    [[nodiscard]] std::filesystem::path file() const { return folder / "settings.ini"; }
    /// What the next start reads.
    [[nodiscard]] std::vector<WindowTarget> nextStart() const {
        notes::Settings settings(file());
        return WindowRestoration(settings).stored();
    }
    notes::ScratchFolder folder;
};

TEST(WindowRestoration, TheWindowsOpenAtTheEndComeBackInOrderWithTheLastOneClosed) {
    Stored stored;
    {
        notes::Settings settings(stored.file());
        WindowRestoration restoration(settings);
        restoration.opened(window(0), noteInFolder);
        restoration.opened(window(1), singleNote);
        restoration.opened(window(2), emptyWindow);
        restoration.store();
    }
    EXPECT_EQ(stored.nextStart(),
              (std::vector<WindowTarget>{noteInFolder, singleNote, emptyWindow}));
    EXPECT_NE(notes::ScratchFolder::read(stored.file())
                  .find(R"(windows=[{"file":"/n/My Notes/a.md","folder":"/n/My Notes"},)"
                        R"({"file":"/b.md"},{}])"),
              std::string::npos)
        << notes::ScratchFolder::read(stored.file());

    // Closed one by one: the last window's closing ends the application, and it comes back.
    {
        notes::Settings settings(stored.file());
        WindowRestoration restoration(settings);
        restoration.opened(window(0), noteInFolder);
        restoration.opened(window(1), singleNote);
        restoration.closed(window(0));
        restoration.closed(window(1));
        restoration.store();
    }
    EXPECT_EQ(stored.nextStart(), std::vector<WindowTarget>{singleNote});

    // A window opened after that replaces it.
    {
        notes::Settings settings(stored.file());
        WindowRestoration restoration(settings);
        restoration.opened(window(0), noteInFolder);
        restoration.closed(window(0));
        restoration.opened(window(1), singleNote);
        restoration.store();
    }
    EXPECT_EQ(stored.nextStart(), std::vector<WindowTarget>{singleNote});
}

TEST(WindowRestoration, ARunWithoutWindowsKeepsWhatWasStored) {
    Stored stored;
    {
        notes::Settings settings(stored.file());
        WindowRestoration(settings).store();
    }
    const WindowTarget old{std::nullopt, URL::fileURL(std::string("/old.md"))};
    EXPECT_EQ(stored.nextStart(), std::vector<WindowTarget>{old});
}

TEST(WindowRestoration, StoredEntriesThatCannotBeReadAreLeftOut) {
    struct Case {
        const char* stored;
        std::vector<WindowTarget> read;
    };
    const WindowTarget b{std::nullopt, URL::fileURL(std::string("/b.md"))};
    for (const auto& [text, read] : {
             Case{"", {}},
             Case{"not json", {}},
             Case{R"({"file":"/b.md"})", {}},
             Case{R"([{"folder":3},"x",{"file":"/b.md","size":[1,2]},{"file":""}])", {b}},
         }) {
        notes::ScratchFolder folder;
        notes::ScratchFolder::write(folder / "settings.ini",
                                    std::string("[Lumenleaf]\nwindows=") + text + "\n");
        notes::Settings settings(folder / "settings.ini");
        EXPECT_EQ(WindowRestoration(settings).stored(), read) << text;
    }
}

TEST(WindowRestoration, AWindowWhosePathIsNotUTF8IsNotKept) {
    Stored stored;
    {
        notes::Settings settings(stored.file());
        WindowRestoration restoration(settings);
        restoration.opened(window(0), {std::nullopt, URL::fileURL(std::string("/caf\xe9.md"))});
        restoration.opened(window(1), singleNote);
        restoration.store();
    }
    EXPECT_EQ(stored.nextStart(), std::vector<WindowTarget>{singleNote});
}

} // namespace
} // namespace app
