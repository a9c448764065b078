#include "notes/page/LocalSchemeHandler.hpp"
#include "notes/runtime/GLibPtr.hpp"

#include <glib.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <string>

namespace app {
namespace {

/// What the built program did when run without a display.
struct Ran {
    int status = -1;
    std::string out, err;
};

Ran runWithoutDisplay(const char* option) {
    const char* arguments[] = {
        "env", "-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", LUMENLEAF_EXECUTABLE, option, nullptr};
    gchar* out = nullptr;
    gchar* err = nullptr;
    int wait = 0;
    Ran ran;
    if (g_spawn_sync(nullptr, const_cast<char**>(arguments), nullptr, G_SPAWN_SEARCH_PATH, nullptr,
                     nullptr, &out, &err, &wait, nullptr)) {
        ran.status = WIFEXITED(wait) ? WEXITSTATUS(wait) : -1;
        ran.out = notes::GTextPtr(out).get();
        ran.err = notes::GTextPtr(err).get();
    }
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
