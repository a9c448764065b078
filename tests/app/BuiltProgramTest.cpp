#include "notes/page/LocalSchemeHandler.hpp"
#include "notes/runtime/GLibPtr.hpp"

#include <glib.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <string>
#include <tuple>

namespace app {
namespace {

/// The built program's exit status, output and errors when run with the option and no display.
std::tuple<int, std::string, std::string> runWithoutDisplay(const std::string& option) {
    gchar* out = nullptr;
    gchar* err = nullptr;
    int wait = 0;
    if (!g_spawn_command_line_sync(
            ("env -u DISPLAY -u WAYLAND_DISPLAY " LUMENLEAF_EXECUTABLE " " + option).c_str(), &out,
            &err, &wait, nullptr))
        return {-1, "", ""};
    return {WIFEXITED(wait) ? WEXITSTATUS(wait) : -1, notes::GTextPtr(out).get(),
            notes::GTextPtr(err).get()};
}

TEST(BuiltProgram, AnswersHelpAndVersionWithoutADisplayAndFindsEveryFileOfThePageBesideItself) {
    EXPECT_EQ(runWithoutDisplay("--version"),
              std::tuple(0, "lumenleaf " LUMENLEAF_VERSION "\n", ""));
    for (const char* option : {"--help", "-h"}) {
        const auto [status, out, err] = runWithoutDisplay(option);
        EXPECT_EQ(std::tie(status, err), std::tuple(0, "")) << option;
        for (const char* fact : {"Usage: lumenleaf [PATH...]", "Without a\nPATH, the windows",
                                 "lumenleaf/settings.ini", "Ctrl+E", "Ctrl+Q",
                                 "appearance=system|light|dark", "showOutline=true|false"})
            EXPECT_NE(out.find(fact), std::string::npos) << option << " lacks " << fact;
    }

    const auto folder = notes::WebResources::installedFolder(LUMENLEAF_EXECUTABLE);
    ASSERT_TRUE(folder);
    const notes::LocalSchemeHandler handler{notes::WebResources(*folder)};
    for (std::string_view name : notes::WebResources::pageFiles) {
        const auto answer = handler.handleSchemeTask("mdreader://app/" + std::string(name));
        const auto* served = std::get_if<notes::SchemeResponse>(&answer);
        ASSERT_NE(served, nullptr) << name;
        EXPECT_FALSE(served->body.empty()) << name;
    }
}

} // namespace
} // namespace app
