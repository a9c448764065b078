// Splitting front matter and footnote definitions off a note: never a crash, and in the body the
// parser reads every line of the note keeps its number, so that line numbers on the page are
// the file's: a line is either the note's line at that number or an empty one.
#include "fuzz/FuzzCheck.hpp"
#include "fuzz/LineBreaks.hpp"
#include "notes/render/ExtractFootnotes.hpp"
#include "notes/render/Frontmatter.hpp"
#include "notes/render/PreparedNote.hpp"
#include "notes/text/CharacterText.hpp"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::vector<std::string_view> lines(std::string_view text) {
    std::vector<std::string_view> out;
    for (std::size_t start = 0;;) {
        std::size_t end = text.find('\n', start);
        out.push_back(text.substr(start, end - start));
        if (end == std::string_view::npos)
            return out;
        start = end + 1;
    }
}

// `extra` empty lines may follow the text's last one: a front-matter block that closes on the
// note's last line leaves its line break behind it.
bool keepsLineNumbers(std::string_view text, std::string_view body, std::size_t extra = 0) {
    const std::vector<std::string_view> before = lines(text);
    const std::vector<std::string_view> after = lines(body);
    if (after.size() < before.size() || after.size() > before.size() + extra)
        return false;
    for (std::size_t k = 0; k < after.size(); ++k)
        if (!after[k].empty() && (k >= before.size() || after[k] != before[k]))
            return false;
    return true;
}

// What the renderer hands the two steps: CR LF pairs as line feeds, no byte-order mark.
std::string normalized(std::string_view text) {
    std::string out = fuzz::withoutCRBeforeLF(text);
    if (out.starts_with("\xEF\xBB\xBF"))
        out.erase(0, 3);
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    // Both steps take a CR LF pair for one character that ends no line. The renderer turns
    // such pairs into line feeds first, but "CR CR LF" still leaves one behind.
    const notes::PreparedNote note = notes::prepareNote(text);
    const std::string prepared = normalized(text);
    if (prepared.find("\r\n") == std::string::npos)
        fuzz::check(keepsLineNumbers(prepared, note.body, 1),
                    "the prepared body keeps the note's line numbers");
    if (note.frontmatter) {
        for (const notes::Frontmatter::Property& property :
             notes::Frontmatter::parse(*note.frontmatter))
            fuzz::check(notes::findCharacter(property.key, ':') == std::string::npos,
                        "a key ends before the first colon (a whole character)");
    }

    const notes::Frontmatter::Split split = notes::Frontmatter::split(text);
    fuzz::check(split.block.has_value() == (split.body != text),
                "the text comes back unchanged exactly when it has no front matter");
    const notes::ExtractedFootnotes footnotes = notes::extractFootnotes(text);
    if (text.find("\r\n") == std::string_view::npos) {
        fuzz::check(keepsLineNumbers(text, split.body, 1), "front matter leaves line numbers");
        fuzz::check(keepsLineNumbers(text, footnotes.body), "footnotes leave line numbers");
    }
    return 0;
}
