#include "notes/PreparedNote.hpp"

#include "notes/ExtractFootnotes.hpp"
#include "notes/Frontmatter.hpp"

namespace notes {
namespace {

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

// A lone carriage return stays; only a CR LF pair becomes a line feed.
std::string withLineFeeds(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        out += text[i];
    }
    return out;
}

} // namespace

PreparedNote prepareNote(std::string_view text) {
    std::string normalized = withLineFeeds(text);
    if (std::string_view(normalized).starts_with(byteOrderMark))
        normalized.erase(0, byteOrderMark.size());
    Frontmatter::Split split = Frontmatter::split(normalized);
    ExtractedFootnotes footnotes = extractFootnotes(split.body);
    return {std::move(split.block), std::move(footnotes.body), std::move(footnotes.definitions)};
}

} // namespace notes
