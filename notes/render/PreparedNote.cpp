#include "notes/render/PreparedNote.hpp"

#include "Markdown/support/UnicodeText.hpp"

#include "notes/render/ExtractFootnotes.hpp"
#include "notes/render/Frontmatter.hpp"

namespace notes {
namespace {

using markdown::byteOrderMark;

// A lone carriage return stays; only a CR LF pair becomes a line feed.
std::string withLineFeeds(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t start = 0;
    for (std::size_t cr = text.find("\r\n"); cr != std::string_view::npos;
         cr = text.find("\r\n", cr + 1)) {
        out.append(text, start, cr - start);
        start = cr + 1;
    }
    out.append(text, start);
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
