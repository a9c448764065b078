#include "WindowHarness.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <tuple>

namespace app {
namespace {

using reader::ReaderModel;

// Mended: once the page had been replaced by the "too large" or the "can't open" page, the
// next note's page was shown before the web view had loaded it, and the web view still held the
// page of the note before, under the new note's title.
TEST_F(WindowTest, APageOnceReplacedNeverComesBackWhileTheNextNoteLoads) {
    writeNote("small.md", "# Small\n");
    writeNote("next.md", "# Next\n");
    writeNote("huge.md", std::string(ReaderModel::largestShownNote + 1, 'x'));
    std::filesystem::create_symlink("nowhere.md", folder / "gone.md");
    auto& shown = open(folderTarget("small.md"));
    auto& view = shown.noteView();
    // What the view shows at the moment each page reaches the model.
    std::vector<std::string> shownOnArrival;
    Connections arrivals;
    arrivals += shown.model().page.connect([&] {
        if (shown.model().page.get())
            shownOnArrival.push_back(view.shownPage() +
                                     (view.announcesRendering() ? " announced" : ""));
    });
    for (const char* replacing : {"huge.md", "gone.md"}) {
        SCOPED_TRACE(replacing);
        shown.model().open(note("small.md"));
        settle();
        ASSERT_EQ(heading(), "Small");
        shown.model().open(note(replacing));
        settle();
        ASSERT_EQ(view.shownPage(), NoteView::errorPage);
        shownOnArrival.clear();
        {
            std::unique_lock held(renderGate);
            shown.model().open(note("next.md"));
            ASSERT_TRUE(waitUntil([&] { return view.announcesRendering(); }));
            EXPECT_EQ(view.shownPage(), NoteView::emptyPage);
        }
        settle();
        EXPECT_EQ(shownOnArrival, (std::vector<std::string>{"empty announced"}));
        EXPECT_EQ(std::tuple(view.shownPage(), view.announcesRendering(), heading()),
                  std::tuple(std::string(NoteView::notePage), false, std::string("Next")));
    }
}

// Mended: a folder with more files than a scan lists was cut without a word.
TEST_F(WindowTest, AFolderCutAtTheScansFileLimitSaysSoOnce) {
    // Any two of the folders hold more files than the limit, so the third is left out.
    constexpr std::size_t filesPerFolder = 25'000;
    static_assert(2 * filesPerFolder > notes::folderScanFileLimit);
    for (const char* name : {"d0", "d1", "d2"}) {
        writeNote(std::string(name) + "/note.md", "# Note\n");
        for (std::size_t n = 0; n < filesPerFolder; ++n) {
            const std::string path = (folder / name / ("f" + std::to_string(n))).native();
            ::close(::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
        }
    }
    writeNote("README.md", "# Read me\n");
    auto& shown = open(folderTarget());
    EXPECT_EQ(std::ranges::count_if(shown.sidebar().rows(), &FileSidebar::Row::isFolder), 2);
    auto& banner = shown.noteDetail().noticeBanner();
    EXPECT_EQ(std::pair(banner.get_visible(), banner.text()),
              std::pair(true, std::string(ReaderModel::fileLimitNotice)));
    banner.dismiss();
    // Said once: scans of the folder after that are cut as well, and say nothing.
    shown.model().rescan();
    settle();
    EXPECT_FALSE(banner.get_visible());
}

} // namespace
} // namespace app
