#include "reader/model/AppearanceMode.hpp"

#include <gtest/gtest.h>

namespace reader {
namespace {

TEST(AppearanceMode, ReadsBackEveryStoredTextAndNothingElse) {
    std::vector<std::string_view> texts;
    for (auto mode : allAppearanceModes) {
        texts.push_back(rawValue(mode));
        EXPECT_EQ(appearanceModeFromRawValue(rawValue(mode)), mode);
    }
    EXPECT_EQ(texts, (std::vector<std::string_view>{"system", "light", "dark"}));
    for (const char* text : {"Dark", "dark ", "", "auto"})
        EXPECT_EQ(appearanceModeFromRawValue(text), std::nullopt) << text;
}

} // namespace
} // namespace reader
