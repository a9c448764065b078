#pragma once

#include "Markdown/support/URL.hpp"
#include "notes/runtime/GObjectPtr.hpp"
#include "tests/notes/ScratchFolder.hpp"
#include "tests/support/DisplayTesting.hpp"

#include <gio/gio.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace app {

/// A desktop of the test's own: its applications are desktop entries in scratch folders
/// (XDG_DATA_HOME, XDG_DATA_DIRS), its defaults a scratch mimeapps.list, and its session bus
/// a private one. Each entry runs a script that records its arguments under the entry's label.
///
/// GLib reads these variables once per process, so each test that uses this runs in a process
/// of its own, as ctest runs every test; within one process, only the first of them runs.
class IsolatedDesktop : public ::testing::Test {
protected:
    void SetUp() override {
        static bool taken = false;
        if (taken)
            GTEST_SKIP() << "needs a process of its own (ctest runs each test so)";
        taken = true;
        namespace fs = std::filesystem;
        for (const char* folder :
             {"data/applications", "system/applications", "config", "system-config", "calls"})
            fs::create_directories(root / folder);
        // Content types still come from the system's MIME database.
        fs::create_directory_symlink("/usr/share/mime", root / "system" / "mime");
        ::setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
        ::setenv("XDG_DATA_DIRS", (root / "system").c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
        ::setenv("XDG_CONFIG_DIRS", (root / "system-config").c_str(), 1);
        ::unsetenv("XDG_CURRENT_DESKTOP");
        ASSERT_EQ(g_get_user_data_dir(), (root / "data").string())
            << "GLib had read its folders before the test";

        // Written beside it first, so that a call shows only once it is whole.
        notes::ScratchFolder::write(
            root / "record.sh",
            "#!/bin/sh\nlabel=$1\nshift\nprintf '%s\\n' \"$@\" > \"$0.$label\"\n"
            "mv \"$0.$label\" \"${0%/*}/calls/$label\"\n");
        fs::permissions(root / "record.sh", fs::perms::owner_all);
        notes::ScratchFolder::write(noteFolder / "Plan B.md", "plan\n");

        bus.reset(g_test_dbus_new(G_TEST_DBUS_NONE));
        g_test_dbus_up(bus.get());
    }

    /// Installs an application: a desktop entry with the id, recording its calls under
    /// `label`, taking the arguments `field` ("%f" paths, "%u" addresses), for the types, and
    /// with the `more` lines.
    void install(const std::string& id, const std::string& label,
                 const std::vector<std::string>& types, const std::string& field = "%f",
                 const std::string& more = {}) {
        std::string typeList;
        for (const auto& type : types) {
            typeList += type + ";";
            handlers[type] += id + ";";
        }
        notes::ScratchFolder::write(root / "data" / "applications" / id,
                                    "[Desktop Entry]\nType=Application\nName=" + label +
                                        "\nExec=" + (root / "record.sh").string() + " " + label +
                                        " " + field + "\nMimeType=" + typeList + "\n" + more);
        // GIO finds the handlers of a type through this index, as the system's packaging
        // keeps it.
        std::string index = "[MIME Cache]\n";
        for (const auto& [type, ids] : handlers)
            index += type + "=" + ids + "\n";
        notes::ScratchFolder::write(root / "data" / "applications" / "mimeinfo.cache", index);
    }

    /// The arguments, a line each, that the application recorded under `label` was started
    /// with, once it has been; empty when it was not started within the time.
    [[nodiscard]] std::string calls(const std::string& label,
                                    std::chrono::milliseconds limit = std::chrono::seconds(10)) {
        const auto file = root / "calls" / label;
        if (!reader::waitUntil([&] { return std::filesystem::exists(file); }, limit))
            return {};
        return notes::ScratchFolder::read(file);
    }

    notes::ScratchFolder root;
    /// A note whose folder and name hold spaces.
    std::filesystem::path noteFolder = root / "My Notes";
    markdown::URL note = markdown::URL::fileURL(noteFolder / "Plan B.md");
    /// A private session bus; it goes down with its last reference.
    notes::GObjectPtr<GTestDBus> bus;
    /// The applications installed for each type, in order.
    std::map<std::string, std::string> handlers;
};

} // namespace app
