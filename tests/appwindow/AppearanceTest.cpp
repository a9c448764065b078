#include "WindowHarness.hpp"

#include "app/AppearanceStyle.hpp"

#include <gtkmm/settings.h>

namespace app {
namespace {

using reader::AppearanceMode;

bool prefersDark() {
    return Gtk::Settings::get_default()->property_gtk_application_prefer_dark_theme().get_value();
}

TEST_F(WindowTest, DisplaySettingsSetThePageTheRenderingAndTheAppearance) {
    // The appearance is stored in another letter case: no mode, so the desktop's, which is
    // light here.
    writeSettings("typeface=sans\ntextScale=1.5\nlineWidth=wide\nfrontmatter=hidden\n"
                  "softBreaks=true\nappearance=Dark\n");
    writeNote("a.md", "---\ntag: x\n---\na\nb\n");
    open({std::nullopt, note("a.md")});
    EXPECT_EQ(run("[document.body.className, "
                  "document.documentElement.style.getPropertyValue('--scale'), "
                  "document.documentElement.style.getPropertyValue('--measure'), "
                  "document.getElementById('content').innerHTML.trim()]"),
              nlohmann::json({"font-sans", "1.5", "44.0rem", "<p data-line=\"4\">a<br>\nb</p>"}));

    const auto pageIsDark = [this] {
        return run("matchMedia('(prefers-color-scheme: dark)').matches") == true;
    };
    ASSERT_FALSE(prefersDark());
    ASSERT_FALSE(pageIsDark());

    applyAppearance(AppearanceMode::dark);
    EXPECT_TRUE(prefersDark());
    EXPECT_TRUE(waitUntil(pageIsDark));
    applyAppearance(state().display.appearance);
    EXPECT_FALSE(prefersDark());
    EXPECT_TRUE(waitUntil([&] { return !pageIsDark(); }));
}

/// A desktop whose own setting is dark (GTK's settings.ini), before the toolkit starts. GTK
/// reads it once per process, so this runs only as the first test of its process, as ctest
/// runs every test.
class DarkDesktop : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(config / "gtk-4.0");
        notes::ScratchFolder::write(config / "gtk-4.0" / "settings.ini",
                                    "[Settings]\ngtk-application-prefer-dark-theme=true\n");
        ::setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
        if (g_get_user_config_dir() != config.path())
            GTEST_SKIP() << "needs a process of its own (ctest runs each test so)";
        startToolkit(LUMENLEAF_TEST_WEB_DIR);
        Gtk::init_gtkmm_internals();
    }

    notes::ScratchFolder config;
};

TEST_F(DarkDesktop, SystemLeavesTheChoiceToTheDesktop) {
    ASSERT_TRUE(prefersDark());
    applyAppearance(AppearanceMode::light);
    EXPECT_FALSE(prefersDark());
    applyAppearance(AppearanceMode::system);
    EXPECT_TRUE(prefersDark());
}

} // namespace
} // namespace app
