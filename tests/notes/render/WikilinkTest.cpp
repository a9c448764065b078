#include "notes/render/WikilinkHTML.hpp"
#include "notes/render/WikilinkParts.hpp"
#include "notes/vault/LinkIndex.hpp"

#include "tests/notes/ExpectCases.hpp"

#include <gtest/gtest.h>

namespace notes {
namespace {

using markdown::URL;

TEST(Wikilink, ReadsEmbedSizesWithoutThrowingOnHugeNumbers) {
    const std::pair<std::string_view, std::optional<EmbedSize>> cases[] = {
        {"300x200", EmbedSize{300, 200}},
        {"300x99999999999999999999", EmbedSize{300, std::nullopt}},
        {"99999999999999999999", std::nullopt},
        {"big", std::nullopt},
    };
    expectCases(cases, parseEmbedSize);
}

// The target is resolved as typed and shown as the parser has it.
TEST(Wikilink, WritesLinksImagesAndUnresolvedLabels) {
    std::vector<URL> files;
    for (const char* path : {"/notes/Plan.md", "/notes/img/Photo.PNG", "/notes/Other note.md",
                             "/n/Bob's notes.md", "/n/Ann’s plan.md"})
        files.push_back(URL::fileURL(std::string(path)));
    // It resolves by name alone: none of its files is on disk.
    const LinkIndex resolver(std::nullopt, files);
    const WikilinkContext withIndex{&resolver, URL::fileURL(std::string("/n/Index.md"))};
    const WikilinkContext withoutIndex{nullptr, withIndex.fileURL};
    const std::string link = R"(<a class="wikilink" href="mdreader://local/)";
    const struct {
        std::string_view shown;
        std::string_view typed;
        bool embed;
        const WikilinkContext& context;
        std::string html;
    } cases[] = {
        {" Plan ", " Plan ", false, withIndex, link + R"(notes/Plan.md">Plan</a>)"},
        {"Plan # Über uns", "Plan # Über uns", false, withIndex,
         link + R"(notes/Plan.md#%C3%BCber-uns">Plan › Über uns</a>)"},
        {"#Intro", "#Intro", false, withoutIndex, link + R"(n/Index.md#intro">Intro</a>)"},
        {"a<b/c", "a<b/c", false, withIndex,
         R"(<span class="wikilink unresolved" title="No note named “a&lt;b/c” in this folder">)"
         "c</span>"},
        {"Missing", "Missing", false, withoutIndex, R"(<span class="wikilink">Missing</span>)"},
        {"photo.png|300", "photo.png|300", true, withIndex,
         R"(<img class="embed" src="mdreader://local/notes/img/Photo.PNG" alt="Photo.PNG" )"
         R"(width="300" loading="lazy">)"},
        {"Other note|300", "Other note|300", true, withIndex,
         R"(<a class="wikilink embed-link" href="mdreader://local/notes/Other%20note.md">)"
         "Other note</a>"},
        {"Bob’s notes", "Bob's notes", false, withIndex,
         link + R"(n/Bob's%20notes.md">Bob’s notes</a>)"},
        // The anchor keeps the parsed form, as the heading ids of the linked note do.
        {"Plan#a–b", "Plan#a--b", false, withIndex, link + R"(notes/Plan.md#ab">Plan › a–b</a>)"},
        // A file really named with a curly apostrophe is still found.
        {"Ann’s plan", "Ann's plan", false, withIndex,
         link + R"(n/Ann%E2%80%99s%20plan.md">Ann’s plan</a>)"},
    };
    for (const auto& c : cases) {
        std::string out;
        writeWikilink(out, c.shown, c.typed, c.embed, c.context);
        EXPECT_EQ(out, c.html) << c.shown;
    }
}

} // namespace
} // namespace notes
