#include "WindowHarness.hpp"

#include "app/AppearanceStyle.hpp"
#include "tests/editor/EditorFixture.hpp"

#include <gtkmm/settings.h>

#include <cstdio>
#include <string_view>
#include <tuple>

namespace app {
namespace {

using reader::AppearanceMode;

/// The mean brightness of a texture's pixels, from 0 (black) to 1 (white).
double brightness(GdkTexture* texture) {
    const int width = gdk_texture_get_width(texture);
    const int height = gdk_texture_get_height(texture);
    std::vector<guchar> pixels(static_cast<std::size_t>(width) * height * 4);
    // Blue, green, red and alpha, premultiplied, in this order on a little-endian machine.
    gdk_texture_download(texture, pixels.data(), static_cast<gsize>(width) * 4);
    double sum = 0;
    for (std::size_t at = 0; at < pixels.size(); at += 4)
        sum += 0.0722 * pixels[at] + 0.7152 * pixels[at + 1] + 0.2126 * pixels[at + 2];
    return width && height ? sum / 255 / (static_cast<double>(width) * height) : -1;
}

/// The brightness of a widget as its window draws it.
double brightness(GtkWidget* widget) {
    const int width = gtk_widget_get_width(widget), height = gtk_widget_get_height(widget);
    notes::GObjectPtr<GdkPaintable> paintable(gtk_widget_paintable_new(widget));
    GtkSnapshot* snapshot = gtk_snapshot_new();
    gdk_paintable_snapshot(paintable.get(), snapshot, width, height);
    GskRenderNode* node = gtk_snapshot_free_to_node(snapshot);
    if (!node)
        return -1;
    const graphene_rect_t bounds =
        GRAPHENE_RECT_INIT(0, 0, static_cast<float>(width), static_cast<float>(height));
    notes::GObjectPtr<GdkTexture> texture(gsk_renderer_render_texture(
        gtk_native_get_renderer(gtk_widget_get_native(widget)), node, &bounds));
    gsk_render_node_unref(node);
    return brightness(texture.get());
}

/// Reader windows on a desktop whose theme GTK's own settings.ini names, written before the
/// toolkit starts, and with `GTK_THEME` set to `variable` unless that is empty. GTK reads them
/// once per process, so each suite runs only as the first of its process, as ctest runs every
/// test.
constexpr char unset[] = "";
template <const char* theme, const char* variable = unset> class Desktop : public WindowTest {
protected:
    static void SetUpTestSuite() {
        notes::ScratchFolder::write(config / "gtk-4.0" / "settings.ini",
                                    std::string("[Settings]\ngtk-theme-name=") + theme + "\n");
        ::setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
        if (*variable)
            ::setenv("GTK_THEME", variable, 1);
        else
            ::unsetenv("GTK_THEME");
        WindowTest::SetUpTestSuite();
    }
    static void TearDownTestSuite() { ::unsetenv("GTK_THEME"); }
    void SetUp() override {
        if (g_get_user_config_dir() != config.path())
            GTEST_SKIP() << "needs a process of its own (ctest runs each test so)";
    }

    /// The brightness of the reading page as WebKit draws it.
    double pageBrightness() {
        double measured = -1;
        webkit_web_view_get_snapshot(
            window->noteView().webView().webView(), WEBKIT_SNAPSHOT_REGION_VISIBLE,
            WEBKIT_SNAPSHOT_OPTIONS_NONE, nullptr,
            [](GObject* view, GAsyncResult* result, gpointer data) {
                notes::GObjectPtr<GdkTexture> texture(
                    webkit_web_view_get_snapshot_finish(WEBKIT_WEB_VIEW(view), result, nullptr));
                *static_cast<double*>(data) = texture ? brightness(texture.get()) : -2;
            },
            &measured);
        waitUntil([&] { return measured != -1; });
        return measured;
    }

    /// Whether the window, its editor and its page are light or dark after the mode is applied,
    /// as "light light light"; the brightness of each goes to `figures`.
    std::string tones(AppearanceMode mode, std::string& figures) {
        applyAppearance(mode);
        std::string shown;
        const auto measure = [&](double value) {
            char text[16];
            std::snprintf(text, sizeof text, "%.2f ", value);
            figures += text;
            shown += value < 0 ? "none " : value < 0.5 ? "dark " : "light ";
        };
        // The page follows the toolkit's settings a few frames later.
        runFor(std::chrono::milliseconds(300));
        measure(brightness(GTK_WIDGET(window->sidebar().gobj())));
        measure(pageBrightness());
        EXPECT_TRUE(window->activate_action("win.toggle-editing"));
        EXPECT_TRUE(waitUntil([&] { return window->noteDetail().editor() != nullptr; }));
        runFor(std::chrono::milliseconds(100));
        measure(brightness(
            editor::findOfType(window->noteDetail().editor()->widget(), GTK_SOURCE_TYPE_VIEW)));
        EXPECT_TRUE(window->activate_action("win.toggle-editing"));
        settle();
        shown.pop_back();
        return shown;
    }

    /// Each mode in turn, back to the desktop's at the end, and how each looks.
    void expectTones(const std::vector<std::pair<AppearanceMode, std::string_view>>& modes) {
        writeNote("a.md", "# Title\n\nSome text to read.\n");
        open(folderTarget("a.md"));
        for (const auto& [mode, expected] : modes) {
            std::string figures;
            EXPECT_EQ(tones(mode, figures), expected)
                << reader::rawValue(mode) << ": window, page, editor " << figures;
        }
    }

    static inline const notes::ScratchFolder config;
};

constexpr char darkTheme[] = "Adwaita-dark";
constexpr char lightTheme[] = "Adwaita";
constexpr char darkVariant[] = "Adwaita:dark";
using DarkDesktop = Desktop<darkTheme>;
using LightDesktop = Desktop<lightTheme>;
// The variable names the theme of every GTK program started with it; the window cannot be
// drawn otherwise, so the page and the editor go with it whatever the mode.
using ForcedDark = Desktop<lightTheme, darkVariant>;
using ForcedLight = Desktop<darkTheme, lightTheme>;

// Mended: `light` on a dark theme left the window and the page dark.
TEST_F(DarkDesktop, LightIsLightAndSystemAndDarkAreDark) {
    expectTones({{AppearanceMode::system, "dark dark dark"},
                 {AppearanceMode::light, "light light light"},
                 {AppearanceMode::dark, "dark dark dark"},
                 {AppearanceMode::light, "light light light"},
                 {AppearanceMode::system, "dark dark dark"}});
}

TEST_F(LightDesktop, DarkIsDarkAndSystemAndLightAreLight) {
    expectTones({{AppearanceMode::system, "light light light"},
                 {AppearanceMode::dark, "dark dark dark"},
                 {AppearanceMode::light, "light light light"},
                 {AppearanceMode::dark, "dark dark dark"},
                 {AppearanceMode::system, "light light light"}});
}

// Mended: the editor followed only the toolkit's settings, and the page the mode, so that
// under GTK_THEME the window, the page and the editor disagreed.
TEST_F(ForcedDark, TheDarkThemeInTheEnvironmentMakesEveryModeDark) {
    expectTones({{AppearanceMode::system, "dark dark dark"},
                 {AppearanceMode::light, "dark dark dark"},
                 {AppearanceMode::dark, "dark dark dark"}});
}

TEST_F(ForcedLight, TheLightThemeInTheEnvironmentMakesEveryModeLight) {
    expectTones({{AppearanceMode::system, "light light light"},
                 {AppearanceMode::dark, "light light light"},
                 {AppearanceMode::light, "light light light"}});
}

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
    EXPECT_EQ(state().display.appearance, AppearanceMode::system);
}

TEST(AppearanceStyle, TheThemeInTheEnvironmentDecidesOverTheSettings) {
    // GTK_THEME, the settings' theme and dark preference; whether dark.
    using Case = std::tuple<const char*, const char*, bool, bool>;
    for (const auto& [variable, theme, prefersDark, dark] :
         {Case{"", "Adwaita", false, false}, Case{"", "Adwaita", true, true},
          Case{"", "Adwaita-dark", false, true}, Case{"", "Arc-Dark", false, true},
          Case{"Adwaita", "Adwaita-dark", true, false},
          Case{"Adwaita:dark", "Adwaita", false, true},
          Case{"Adwaita-dark", "Adwaita", false, true}, Case{"Arc-Dark:x", "Adwaita", false, true},
          Case{"Adwaita:light", "Adwaita-dark", true, false}})
        EXPECT_EQ(isDarkTheme(variable, theme, prefersDark), dark)
            << variable << " " << theme << " " << prefersDark;
}

TEST(AppearanceStyle, TheLightSiblingOfADarkThemeDropsItsSuffix) {
    for (const auto& [theme, light] :
         {std::pair("Adwaita-dark", "Adwaita"), std::pair("Arc-Dark", "Arc"),
          std::pair("Yaru", "Yaru"), std::pair("-dark", "-dark"), std::pair("", "")})
        EXPECT_EQ(lightThemeName(theme), light) << theme;
}

} // namespace
} // namespace app
