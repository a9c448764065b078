// The whole rendering of a note, from any bytes read the way the reader displays a file (ill-formed
// UTF-8 replaced), with wikilinks resolved over a small scratch vault: never a crash, the fragment
// is well-formed UTF-8, and every "data-line" names a line of the note.
#include "fuzz/FuzzCheck.hpp"
#include "notes/files/LenientUTF8.hpp"
#include "notes/render/MarkdownRenderer.hpp"
#include "notes/vault/FolderSnapshot.hpp"
#include "tests/notes/ScratchFolder.hpp"

#include <charconv>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace {

namespace fs = std::filesystem;
using markdown::URL;

struct Vault {
    Vault() {
        for (const char* file :
             {"Plan.md", "a/Plan.md", "Index.md", "a/Notes.md", "img/logo.png"}) {
            fs::create_directories((scratch / file).parent_path());
            notes::ScratchFolder::write(scratch / file, "# Plan\n\n## Next steps\n");
        }
        index = notes::FolderSnapshot::scan(URL::fileURL(scratch.path())).index;
        note = URL::fileURL(scratch.path() / "a/Notes.md");
    }

    notes::ScratchFolder scratch;
    notes::LinkIndex index;
    std::optional<URL> note;
};

const Vault& vault() {
    static const Vault made;
    return made;
}

// Lines as the parser counts them: LF, CR LF and a lone CR each end one.
std::size_t lineCount(std::string_view text) {
    std::size_t count = 1;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
            ++count;
    return count;
}

void checkLines(std::string_view html, std::size_t lines) {
    constexpr std::string_view attribute = "data-line=\"";
    for (std::size_t at = html.find(attribute); at != std::string_view::npos;
         at = html.find(attribute, at + 1)) {
        const char* start = html.data() + at + attribute.size();
        std::size_t line = 0;
        auto [end, error] = std::from_chars(start, html.data() + html.size(), line);
        fuzz::check(error == std::errc() && *end == '"', "a data-line is a number");
        fuzz::check(line >= 1 && line <= lines, "a data-line names a line of the note");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Vault& here = vault();
    const std::string text =
        notes::replacingInvalidUTF8({reinterpret_cast<const char*>(data), size});
    const notes::MarkdownRenderer renderer{{}, &here.index, here.note};
    const notes::MarkdownRenderer::Result result = renderer.render(text);
    fuzz::check(notes::replacingInvalidUTF8(result.html) == result.html,
                "the fragment is well-formed UTF-8");
    // Raw HTML in the note may write its own attribute.
    if (text.find("data-line") == std::string::npos)
        checkLines(result.html, lineCount(text));
    return 0;
}
