#include "app/CommandLine.hpp"

#include "app/DisplaySettings.hpp"
#include "notes/page/LineWidth.hpp"
#include "notes/page/Typeface.hpp"
#include "notes/render/FrontmatterMode.hpp"
#include "notes/runtime/Settings.hpp"
#include "reader/model/AppearanceMode.hpp"

#include <string>
#include <string_view>

namespace app {

namespace {

// The values a setting takes, as the settings file spells them: "serif|sans".
template <typename Cases> std::string choices(const Cases& cases) {
    std::string text;
    for (const auto& value : cases)
        text += (text.empty() ? "" : "|") + std::string(rawValue(value));
    return text;
}

void printHelp(std::ostream& out) {
    out << "Usage: lumenleaf [PATH...]\n"
           "\n"
           "Opens a window on each PATH, a folder of Markdown notes or a single note. Without a\n"
           "PATH, the windows open when Lumenleaf last quit come back (an empty window when\n"
           "there were none).\n"
           "\n"
           "Options:\n"
           "  -h, --help     Show this help\n"
           "  --version      Show the version\n"
           "\n"
           "In a window:\n"
           "  Alt+Left, Alt+Right  Go back, forward\n"
           "  Ctrl+E               Switch between reading and editing (edits save themselves)\n"
           "  Ctrl+F               Find in the note; Ctrl+G, Shift+Ctrl+G: next, previous match;\n"
           "                       Escape: close the find bar\n"
           "  Ctrl+Q               Quit, asking first about any edit that cannot be saved\n"
           "\n"
           "Settings, read at start from "
        << notes::Settings::userFile().string()
        << " (group [Lumenleaf]):\n"
           "  typeface="
        << choices(notes::allTypefaces) << "  textScale=" << DisplaySettings::minimumTextScale
        << " to " << DisplaySettings::maximumTextScale
        << "  lineWidth=" << choices(notes::allLineWidths)
        << "\n  appearance=" << choices(reader::allAppearanceModes)
        << "  frontmatter=" << choices(notes::allFrontmatterModes)
        << "\n  softBreaks=true|false  showOutline=true|false\n";
}

} // namespace

std::optional<int> answerInformationOptions(std::span<char* const> arguments, std::ostream& out) {
    for (const char* argument : arguments.subspan(arguments.empty() ? 0 : 1)) {
        const std::string_view option = argument;
        if (option == "--")
            break;
        if (option == "--help" || option == "-h") {
            printHelp(out);
            return 0;
        }
        if (option == "--version") {
            out << "lumenleaf " << LUMENLEAF_VERSION << '\n';
            return 0;
        }
    }
    return std::nullopt;
}

} // namespace app
