#include "notes/render/WikilinkHTML.hpp"

#include "notes/render/WikilinkParts.hpp"
#include "notes/text/EscapeHTML.hpp"
#include "notes/text/PathText.hpp"
#include "notes/text/PercentEncoding.hpp"
#include "notes/text/PlainText.hpp"
#include "notes/text/ReaderURL.hpp"

#include <algorithm>
#include <array>

namespace notes {
namespace {

bool isImageFile(const markdown::URL& url) {
    static constexpr std::array<std::string_view, 11> imageEmbedExtensions{
        "png", "jpg", "jpeg", "gif", "svg", "webp", "avif", "bmp", "tif", "tiff", "heic"};
    const std::string extension = lowercased(pathExtension(url.path()));
    return std::ranges::find(imageEmbedExtensions, extension) != imageEmbedExtensions.end();
}

// The target as typed, or as shown when that finds nothing: a name typed with real curly quotes
// or dashes is only found as shown. Targets the context keeps no record of are made in `own`.
const ResolvedTargets::Target& resolveTarget(const WikilinkParts& shown, const WikilinkParts& typed,
                                             const WikilinkContext& context,
                                             ResolvedTargets::Target& own,
                                             ResolvedTargets& unshared) {
    if (typed.name.empty()) {
        if (context.fileURL)
            own = {context.fileURL, readerURL(*context.fileURL)};
        return own;
    }
    if (context.resolver == nullptr)
        return own;
    ResolvedTargets& targets = context.resolved != nullptr ? *context.resolved : unshared;
    const ResolvedTargets::Target* target =
        &targets.resolve(*context.resolver, typed.name, context.fileURL);
    if (!target->url && shown.name != typed.name)
        target = &targets.resolve(*context.resolver, shown.name, context.fileURL);
    return *target;
}

void writeImageEmbed(std::string& out, const WikilinkParts& parts, const markdown::URL& url,
                     std::string_view address) {
    std::string size;
    std::string alt;
    const std::optional<EmbedSize> embedSize =
        parts.alias ? parseEmbedSize(*parts.alias) : std::nullopt;
    if (embedSize) {
        size = " width=\"" + std::to_string(embedSize->width) + "\"";
        if (embedSize->height)
            size += " height=\"" + std::to_string(*embedSize->height) + "\"";
        alt = lastPathComponent(url.path());
    } else {
        alt = parts.alias ? *parts.alias : std::string(lastPathComponent(url.path()));
    }
    out += "<img class=\"embed\" src=\"" + escapeHTML(address) + "\" alt=\"" + escapeHTML(alt) +
           "\"" + size + " loading=\"lazy\">";
}

std::string displayText(const WikilinkParts& parts, bool embed) {
    std::string display;
    if (parts.alias && (!embed || !parseEmbedSize(*parts.alias)))
        display = *parts.alias;
    else if (!parts.heading)
        display = parts.last;
    else if (parts.last.empty())
        display = *parts.heading;
    else
        display = parts.last + " › " + *parts.heading;
    if (!embed && display.empty())
        return parts.targetPart;
    return display;
}

} // namespace

void writeWikilink(std::string& out, std::string_view shownBody, std::string_view typedBody,
                   bool embed, const WikilinkContext& context) {
    const WikilinkParts shown = WikilinkParts::parse(shownBody);
    // Most bodies hold nothing the parser changes: their typed parts are the shown ones.
    const std::optional<WikilinkParts> typedApart =
        typedBody == shownBody ? std::nullopt
                               : std::optional<WikilinkParts>(WikilinkParts::parse(typedBody));
    const WikilinkParts& typed = typedApart ? *typedApart : shown;
    ResolvedTargets::Target own;
    ResolvedTargets unshared;
    const ResolvedTargets::Target& target = resolveTarget(shown, typed, context, own, unshared);
    const std::optional<markdown::URL>& url = target.url;
    if (embed && url && isImageFile(*url)) {
        writeImageEmbed(out, shown, *url, target.address);
        return;
    }
    const std::string display = displayText(shown, embed);
    if (url) {
        out += embed ? "<a class=\"wikilink embed-link\" href=\"" : "<a class=\"wikilink\" href=\"";
        appendEscapedHTML(out, target.address);
        if (shown.anchor)
            appendEscapedHTML(out, "#" + percentEncodePath(*shown.anchor));
        out += "\">";
        appendEscapedHTML(out, display);
        out += "</a>";
    } else if (context.resolver == nullptr) {
        out += "<span class=\"wikilink\">";
        appendEscapedHTML(out, display);
        out += "</span>";
    } else {
        out += "<span class=\"wikilink unresolved\" title=\"No note named “";
        appendEscapedHTML(out, typed.name);
        out += "” in this folder\">";
        appendEscapedHTML(out, display);
        out += "</span>";
    }
}

} // namespace notes
