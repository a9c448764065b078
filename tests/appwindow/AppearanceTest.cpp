#include "WindowHarness.hpp"

#include "app/AppearanceStyle.hpp"

#include <gtkmm/settings.h>

namespace app {
namespace {

using reader::AppearanceMode;

/// Reader windows on a desktop whose own setting is dark (GTK's settings.ini), written before
/// the toolkit starts. GTK reads it once per process, so this runs only as the first suite of
/// its process, as ctest runs every test.
class DarkDesktop : public WindowTest {
protected:
    static void SetUpTestSuite() {
        notes::ScratchFolder::write(config / "gtk-4.0" / "settings.ini",
                                    "[Settings]\ngtk-application-prefer-dark-theme=true\n");
        ::setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
        WindowTest::SetUpTestSuite();
    }
    void SetUp() override {
        if (g_get_user_config_dir() != config.path())
            GTEST_SKIP() << "needs a process of its own (ctest runs each test so)";
    }
    static inline const notes::ScratchFolder config;
};

TEST_F(DarkDesktop, DisplaySettingsSetThePageTheRenderingAndTheAppearance) {
    // The appearance is stored in another letter case: no mode, so the desktop's.
    writeSettings("typeface=sans\ntextScale=1.5\nlineWidth=wide\nfrontmatter=hidden\n"
                  "softBreaks=true\nappearance=Light\n");
    writeNote("a.md", "---\ntag: x\n---\na\nb\n");
    open({std::nullopt, note("a.md")});
    EXPECT_EQ(run("[document.body.className, "
                  "document.documentElement.style.getPropertyValue('--scale'), "
                  "document.documentElement.style.getPropertyValue('--measure'), "
                  "document.getElementById('content').innerHTML.trim()]"),
              nlohmann::json({"font-sans", "1.5", "44.0rem", "<p data-line=\"4\">a<br>\nb</p>"}));

    // Modes in turn, and whether the toolkit and the page are dark after each.
    const std::pair<AppearanceMode, bool> modes[] = {{state().display.appearance, true},
                                                     {AppearanceMode::light, false},
                                                     {AppearanceMode::dark, true},
                                                     {AppearanceMode::light, false},
                                                     {AppearanceMode::system, true}};
    const auto toolkit = Gtk::Settings::get_default();
    for (const auto& [mode, dark] : modes) {
        applyAppearance(mode);
        EXPECT_EQ(toolkit->property_gtk_application_prefer_dark_theme().get_value(), dark);
        EXPECT_TRUE(waitUntil([&] {
            return run("matchMedia('(prefers-color-scheme: dark)').matches") == dark;
        })) << static_cast<int>(mode);
    }
}

} // namespace
} // namespace app
