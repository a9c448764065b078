#include "notes/LocalSchemeHandler.hpp"

#include <gtest/gtest.h>

#include <string>

namespace app {
namespace {

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
