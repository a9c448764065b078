#include "notes/GLibPtr.hpp"
#include "notes/LocalSchemeHandler.hpp"

#include <glib.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <string>
#include <vector>

namespace app {
namespace {

/// What the built program did when run without a display.
struct Ran {
    int status = -1;
    std::string out, err;
};

Ran runWithoutDisplay(const std::string& option) {
    std::vector<char*> arguments{const_cast<char*>(LUMENLEAF_EXECUTABLE),
                                 const_cast<char*>(option.c_str()), nullptr};
    gchar** environment = g_get_environ();
    for (const char* display : {"DISPLAY", "WAYLAND_DISPLAY"})
        environment = g_environ_unsetenv(environment, display);
    gchar* out = nullptr;
    gchar* err = nullptr;
    int wait = 0;
    Ran ran;
    if (g_spawn_sync(nullptr, arguments.data(), environment, G_SPAWN_DEFAULT, nullptr, nullptr,
                     &out, &err, &wait, nullptr)) {
        ran.status = WIFEXITED(wait) ? WEXITSTATUS(wait) : -1;
        ran.out = notes::GTextPtr(out).get();
        ran.err = notes::GTextPtr(err).get();
    }
    g_strfreev(environment);
    return ran;
}

TEST(BuiltProgram, AnswersHelpAndVersionWithoutADisplay) {
    const Ran version = runWithoutDisplay("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "lumenleaf " LUMENLEAF_VERSION "\n");
    EXPECT_EQ(version.err, "");

    for (const char* option : {"--help", "-h"}) {
        const Ran help = runWithoutDisplay(option);
        EXPECT_EQ(help.status, 0) << option;
        EXPECT_EQ(help.err, "") << option;
        for (const char* fact : {"Usage: lumenleaf [PATH...]", "Without a\nPATH, the windows",
                                 "lumenleaf/settings.ini", "Ctrl+E", "Ctrl+Q",
                                 "appearance=system|light|dark", "showOutline=true|false"})
            EXPECT_NE(help.out.find(fact), std::string::npos) << option << " lacks " << fact;
    }
}

TEST(BuiltProgram, FindsEveryFileOfThePageBesideItself) {
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
