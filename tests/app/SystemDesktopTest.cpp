#include "IsolatedDesktop.hpp"

#include "app/DesktopApplications.hpp"
#include "app/SystemDesktop.hpp"
#include "reader/model/ReaderModel.hpp"
#include "tests/support/LogCapture.hpp"

#include <giomm/dbusconnection.h>
#include <giomm/init.h>

#include <functional>
#include <tuple>

namespace app {
namespace {

using markdown::URL;
using namespace std::chrono_literals;

std::vector<std::string> idsOf(const std::vector<notes::GObjectPtr<GAppInfo>>& applications) {
    std::vector<std::string> ids;
    for (const auto& application : applications)
        ids.push_back(g_app_info_get_id(application.get()));
    return ids;
}

/// A file manager on the test's bus that records what it is asked to show, and answers its
/// first call and keeps silent after.
class FakeFileManager {
public:
    explicit FakeFileManager(GTestDBus* bus) {
        Gio::init();
        using Flags = Gio::DBus::ConnectionFlags;
        connection = Gio::DBus::Connection::create_for_address_sync(
            g_test_dbus_get_bus_address(bus),
            Flags::AUTHENTICATION_CLIENT | Flags::MESSAGE_BUS_CONNECTION);
        connection->register_object(
            "/org/freedesktop/FileManager1",
            Gio::DBus::NodeInfo::create_for_xml(
                "<node><interface name='org.freedesktop.FileManager1'><method name='ShowItems'>"
                "<arg type='as' direction='in'/><arg type='s' direction='in'/>"
                "</method></interface></node>")
                ->lookup_interface(),
            calls);
        // Named before the first reveal asks.
        connection->call_sync("/org/freedesktop/DBus", "org.freedesktop.DBus", "RequestName",
                              Glib::Variant<std::tuple<Glib::ustring, guint32>>::create(
                                  {"org.freedesktop.FileManager1", 0}),
                              "org.freedesktop.DBus");
    }
    ~FakeFileManager() {
        if (pending)
            pending->return_value({});
    }
    /// The arguments of each call, as GVariant prints them.
    std::vector<std::string> shown;

private:
    const Gio::DBus::InterfaceVTable calls{
        [this](const auto&, const auto&, const auto&, const auto&, const auto&,
               const Glib::VariantContainerBase& parameters, const auto& invocation) {
            shown.push_back(parameters.print());
            if (shown.size() == 1)
                invocation->return_value({});
            else
                pending = invocation;
        }};
    Glib::RefPtr<Gio::DBus::Connection> connection;
    Glib::RefPtr<Gio::DBus::MethodInvocation> pending;
};

/// The lines logged by each hand-off that a window makes (a web link, a mail link, another
/// file, reveal, the default editor, Obsidian), each followed until it has logged.
std::vector<std::size_t> logLinesOfEachHandoff(const notes::ScratchFolder& root, const URL& note) {
    notes::ScratchFolder::write(root / "pic.png", "not really\n");
    SystemDesktop desktop;
    const std::function<void()> handoffs[] = {
        [&] { desktop.openURL("https://commonmark.org"); },
        [&] { desktop.openURL("mailto:a@example.org"); },
        [&] { desktop.openFile(URL::fileURL(root / "pic.png")); },
        [&] { desktop.reveal(note); },
        [&] { desktop.openWithOtherApplication(note); },
        [&] { desktop.openURL(reader::ReaderModel::obsidianURL(note)); },
    };
    std::vector<std::size_t> logged;
    for (const auto& handOff : handoffs) {
        reader::LogCapture log;
        handOff();
        reader::waitUntil([&] { return log.records > 0; }, 10s);
        logged.push_back(log.records);
    }
    return logged;
}

TEST_F(IsolatedDesktop, AHandoffWithoutAnApplicationOrToOneThatCannotStartEndsInOneLogLine) {
    const std::vector<std::size_t> oneLineEach(6, 1);
    EXPECT_EQ(logLinesOfEachHandoff(root, note), oneLineEach);

    // It runs in a terminal, and the search path from here on holds none.
    ::setenv("PATH", (root / "calls").c_str(), 1);
    install("broken.desktop", "broken",
            {"x-scheme-handler/https", "x-scheme-handler/mailto", "image/png", "inode/directory",
             "text/markdown", "x-scheme-handler/obsidian"},
            "%u", "Terminal=true\n");
    // Once GIO has seen it.
    ASSERT_TRUE(reader::waitUntil(findObsidian));
    EXPECT_EQ(logLinesOfEachHandoff(root, note), oneLineEach);
}

TEST_F(IsolatedDesktop, HandoffsGoToTheSystemsChoiceLessThisOneAndRevealAsksTheFileManager) {
    install("org.lumenleaf.Lumenleaf.desktop", "lumenleaf", {"text/markdown", "inode/directory"});
    install("lumenleaf.desktop", "lumenleaf-too", {"text/markdown"});
    install("editor-one.desktop", "one", {"text/markdown"});
    install("editor-two.desktop", "two", {"text/markdown"});
    install("plain.desktop", "plain", {"text/plain"});
    install("files.desktop", "files", {"inode/directory"});
    install("browser.desktop", "browser", {"inode/directory"});
    // The user's choices of default application.
    notes::ScratchFolder::write(root / "config" / "mimeapps.list",
                                "[Default Applications]\ntext/markdown=editor-two.desktop;\n"
                                "inode/directory=org.lumenleaf.Lumenleaf.desktop;\n");

    // Applications for a note's supertype (plain text) count too, after those for notes.
    EXPECT_EQ(
        idsOf(otherApplicationsFor(contentTypeOf(note.filesystemPath()))),
        (std::vector<std::string>{"editor-two.desktop", "editor-one.desktop", "plain.desktop"}));
    EXPECT_EQ(idsOf(otherApplicationsFor(contentTypeOf(noteFolder))),
              (std::vector<std::string>{"files.desktop", "browser.desktop"}));

    SystemDesktop desktop(1s);
    desktop.openWithOtherApplication(note);
    EXPECT_EQ(calls("two"), note.path() + "\n");
    // Without a file manager, revealing opens the folder in another application.
    desktop.reveal(note);
    EXPECT_EQ(calls("files"), noteFolder.string() + "\n");
    // Nothing else started.
    EXPECT_EQ(std::ranges::distance(std::filesystem::directory_iterator(root / "calls")), 2);
    EXPECT_FALSE(desktop.isObsidianInstalled());
    // Known as Obsidian by its desktop id alone, though it opens nothing.
    install("md.obsidian.Obsidian.desktop", "obsidian", {});
    EXPECT_TRUE(reader::waitUntil(findObsidian));

    // Obsidian takes its address with the note's path as one value.
    install("obsidian-links.desktop", "obsidian", {"x-scheme-handler/obsidian"}, "%u");
    ASSERT_TRUE(reader::waitUntil(
        [] { return !otherApplicationsFor("x-scheme-handler/obsidian").empty(); }));
    desktop.openURL(reader::ReaderModel::obsidianURL(note));
    EXPECT_EQ(calls("obsidian"),
              "obsidian://open?path=" + root.path().string() + "/My%20Notes/Plan%20B.md\n");

    std::filesystem::remove(root / "calls" / "files");
    FakeFileManager fileManager(bus.get());
    desktop.reveal(note);
    ASSERT_TRUE(reader::waitUntil([&] { return !fileManager.shown.empty(); }));
    // The item, and no startup id.
    EXPECT_EQ(fileManager.shown, std::vector<std::string>{"(['file://" + root.path().string() +
                                                          "/My%20Notes/Plan%20B.md'], '')"});
    // The folder does not open as well.
    EXPECT_TRUE(calls("files", 1500ms).empty());

    // Silent now. A folder shows in the folder that holds it.
    desktop.reveal(URL::fileURL(noteFolder));
    EXPECT_EQ(calls("files"), root.path().string() + "\n");
    EXPECT_EQ(fileManager.shown.size(), 2u);
}

} // namespace
} // namespace app
