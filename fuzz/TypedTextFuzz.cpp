// Reading text back as typed from the note's source, differentially: where the note holds no
// typographic character and no backslash, the wikilinks, footnote references, highlights and
// addresses found in every run of text, with their targets, labels and addresses, are exactly
// those found by guessing the typed form from the text the parser shows.
#include "Markdown/elements/Document.hpp"
#include "Markdown/elements/Text.hpp"
#include "fuzz/FuzzCheck.hpp"
#include "notes/files/LenientUTF8.hpp"
#include "notes/render/InlineTextMatch.hpp"
#include "notes/render/PreparedNote.hpp"
#include "notes/render/SourceText.hpp"
#include "notes/render/TypedText.hpp"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using markdown::Markup;

constexpr std::array<std::string_view, 7> typographic{"–", "—", "‘", "’", "“", "”", "…"};

bool holdsTypographic(std::string_view text) {
    for (std::string_view character : typographic)
        if (text.find(character) != std::string_view::npos)
            return true;
    return false;
}

bool sameMatches(const std::vector<notes::InlineTextMatch>& a,
                 const std::vector<notes::InlineTextMatch>& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].kind != b[i].kind || a[i].begin != b[i].begin || a[i].end != b[i].end ||
            a[i].shown != b[i].shown || a[i].typed != b[i].typed)
            return false;
    return true;
}

void checkRun(const notes::TypedText& fromSource, bool comparable) {
    const notes::TypedText guessed = notes::TypedText::guessed(fromSource.shown());
    const std::vector<notes::InlineTextMatch> found = notes::findInlineText(fromSource);
    if (comparable)
        fuzz::check(sameMatches(found, notes::findInlineText(guessed)),
                    "what is found as typed is what guessing finds");
    for (const notes::InlineTextMatch& match : found)
        fuzz::check(match.begin <= match.end && match.end <= fromSource.shown().size(),
                    "a construct lies inside its run");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text =
        notes::replacingInvalidUTF8({reinterpret_cast<const char*>(data), size});
    const notes::PreparedNote note = notes::prepareNote(text);
    const notes::SourceText source(note.body);
    const bool comparable = !holdsTypographic(text) && text.find('\\') == std::string::npos;
    // An entity ("&ndash;") shows a typographic character the note does not hold; taken from
    // the source it stays that character, where guessing would read it back as "--".
    const bool entities = text.find('&') != std::string::npos;

    std::vector<Markup> pending{markdown::Document::parsing(note.body)};
    while (!pending.empty()) {
        const Markup container = pending.back();
        pending.pop_back();
        notes::TypedText run;
        for (Markup child : container.children()) {
            if (const std::optional<markdown::Text> piece = child.as<markdown::Text>()) {
                run.append(piece->string(), piece->range(), source);
                continue;
            }
            if (!run.empty())
                checkRun(run, comparable && (!entities || !holdsTypographic(run.shown())));
            run = notes::TypedText();
            pending.push_back(child);
        }
        if (!run.empty())
            checkRun(run, comparable && (!entities || !holdsTypographic(run.shown())));
    }
    return 0;
}
