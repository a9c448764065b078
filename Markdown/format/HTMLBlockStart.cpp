#include "Markdown/format/HTMLBlockStart.hpp"

#include "Markdown/format/MarkdownCharacters.hpp"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

namespace markdown {
namespace {

constexpr std::array<std::string_view, 4> rawTags = {"script", "pre", "style", "textarea"};
constexpr std::array<std::string_view, 62> blockTags = {
    "address",  "article",  "aside",    "base",       "basefont", "blockquote", "body",   "caption",
    "center",   "col",      "colgroup", "dd",         "details",  "dialog",     "dir",    "div",
    "dl",       "dt",       "fieldset", "figcaption", "figure",   "footer",     "form",   "frame",
    "frameset", "h1",       "h2",       "h3",         "h4",       "h5",         "h6",     "head",
    "header",   "hr",       "html",     "iframe",     "legend",   "li",         "link",   "main",
    "menu",     "menuitem", "nav",      "noframes",   "ol",       "optgroup",   "option", "p",
    "param",    "section",  "source",   "summary",    "table",    "tbody",      "td",     "tfoot",
    "th",       "thead",    "title",    "tr",         "track",    "ul"};

std::string lowered(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

// The tag name that starts at `at`, letters and digits, lowercased.
std::string tagName(std::string_view line, std::size_t at) {
    std::size_t end = at;
    while (end < line.size() && isAsciiAlphanumeric(line[end]))
        ++end;
    return lowered(line.substr(at, end - at));
}

bool endsName(std::string_view line, std::size_t at, bool closingSlash) {
    return at == line.size() || line[at] == ' ' || line[at] == '\t' || line[at] == '>' ||
           (closingSlash && line.substr(at).starts_with("/>"));
}

std::string_view firstLine(std::string_view html) {
    std::string_view line = html.substr(0, html.find('\n'));
    const std::size_t indent = std::min(line.find_first_not_of(' '), line.size());
    return indent <= 3 ? line.substr(indent) : std::string_view();
}

} // namespace

bool isHTMLBlockTagName(std::string_view name) {
    const std::string lower = lowered(name);
    return std::find(rawTags.begin(), rawTags.end(), lower) != rawTags.end() ||
           std::find(blockTags.begin(), blockTags.end(), lower) != blockTags.end();
}

int htmlBlockKind(std::string_view html) {
    const std::string_view line = firstLine(html);
    if (!line.starts_with('<'))
        return 0;
    if (line.starts_with("<!--"))
        return 2;
    if (line.starts_with("<?"))
        return 3;
    if (line.starts_with("<![CDATA["))
        return 5;
    if (line.size() > 2 && line[1] == '!' && isAsciiLetter(line[2]))
        return 4;
    const bool closing = line.starts_with("</");
    const std::size_t nameAt = closing ? 2 : 1;
    const std::string name = tagName(line, nameAt);
    const std::size_t nameEnd = nameAt + name.size();
    if (!closing && std::find(rawTags.begin(), rawTags.end(), name) != rawTags.end() &&
        endsName(line, nameEnd, false))
        return 1;
    if (std::find(blockTags.begin(), blockTags.end(), name) != blockTags.end() &&
        endsName(line, nameEnd, true))
        return 6;
    return 7;
}

bool htmlBlockEndsWithText(std::string_view html) {
    while (html.ends_with('\n'))
        html.remove_suffix(1);
    const std::string lastLine = lowered(html.substr(html.rfind('\n') + 1));
    switch (htmlBlockKind(html)) {
    case 1:
        return lastLine.find("</script>") != std::string::npos ||
               lastLine.find("</pre>") != std::string::npos ||
               lastLine.find("</style>") != std::string::npos ||
               lastLine.find("</textarea>") != std::string::npos;
    case 2:
        return lastLine.find("-->") != std::string::npos;
    case 3:
        return lastLine.find("?>") != std::string::npos;
    case 4:
        return lastLine.find('>') != std::string::npos;
    case 5:
        return lastLine.find("]]>") != std::string::npos;
    default:
        return false;
    }
}

} // namespace markdown
