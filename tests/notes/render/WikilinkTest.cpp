#include "notes/render/WikilinkHTML.hpp"
#include "notes/render/WikilinkParts.hpp"
#include "notes/vault/LinkIndex.hpp"

#include "tests/notes/ExpectCases.hpp"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace notes {
namespace {

using markdown::URL;

// An index that resolves by name alone: none of its files is on disk.
LinkIndex indexOf(std::initializer_list<std::string> paths) {
    std::vector<URL> files;
    for (const std::string& path : paths)
        files.push_back(URL::fileURL(path));
    return LinkIndex(std::nullopt, files);
}

TEST(Wikilink, ReadsEmbedSizesWithoutThrowingOnHugeNumbers) {
    const std::pair<std::string_view, std::optional<EmbedSize>> cases[] = {
        {"300x200", EmbedSize{300, 200}},
        {"300x99999999999999999999", EmbedSize{300, std::nullopt}},
        {"99999999999999999999", std::nullopt},
        {"big", std::nullopt},
    };
    expectCases(cases, parseEmbedSize);
}

TEST(Wikilink, WritesLinksImagesAndUnresolvedLabels) {
    const LinkIndex resolver =
        indexOf({"/notes/Plan.md", "/notes/img/Photo.PNG", "/notes/Other note.md"});
    const WikilinkContext withIndex{&resolver, URL::fileURL(std::string("/n/Index.md"))};
    const WikilinkContext withoutIndex{nullptr, withIndex.fileURL};
    const std::string plan = R"(<a class="wikilink" href="mdreader://local/notes/Plan.md)";
    const std::string photo = R"(<img class="embed" src="mdreader://local/notes/img/Photo.PNG")";
    const struct {
        std::string_view body;
        bool embed;
        const WikilinkContext& context;
        std::string html;
    } cases[] = {
        {" Plan ", false, withIndex, plan + R"(">Plan</a>)"},
        {"Plan # Über uns", false, withIndex, plan + R"(#%C3%BCber-uns">Plan › Über uns</a>)"},
        {"#Intro", false, withoutIndex,
         R"(<a class="wikilink" href="mdreader://local/n/Index.md#intro">Intro</a>)"},
        {"a<b/c", false, withIndex,
         R"(<span class="wikilink unresolved" title="No note named “a&lt;b/c” in this folder">)"
         "c</span>"},
        {"Missing", false, withoutIndex, R"(<span class="wikilink">Missing</span>)"},
        {"photo.png|300", true, withIndex,
         photo + R"( alt="Photo.PNG" width="300" loading="lazy">)"},
        {"Other note|300", true, withIndex,
         R"(<a class="wikilink embed-link" href="mdreader://local/notes/Other%20note.md">)"
         "Other note</a>"},
    };
    for (const auto& c : cases) {
        std::string out;
        writeWikilink(out, c.body, c.body, c.embed, c.context);
        EXPECT_EQ(out, c.html) << c.body;
    }
}

TEST(Wikilink, ResolvesTheTargetAsTypedAndShowsItAsParsed) {
    const LinkIndex resolver = indexOf({"/n/Bob's notes.md", "/n/Plan.md", "/n/Ann’s plan.md"});
    const WikilinkContext context{&resolver, std::nullopt};
    const struct {
        std::string_view shown;
        std::string_view typed;
        std::string html;
    } cases[] = {
        {"Bob’s notes", "Bob's notes",
         R"(<a class="wikilink" href="mdreader://local/n/Bob's%20notes.md">Bob’s notes</a>)"},
        // The anchor keeps the parsed form, as the heading ids of the linked note do.
        {"Plan#a–b", "Plan#a--b",
         R"(<a class="wikilink" href="mdreader://local/n/Plan.md#ab">Plan › a–b</a>)"},
        // A file really named with a curly apostrophe is still found.
        {"Ann’s plan", "Ann's plan",
         R"(<a class="wikilink" href="mdreader://local/n/Ann%E2%80%99s%20plan.md">Ann’s plan</a>)"},
    };
    for (const auto& c : cases) {
        std::string out;
        writeWikilink(out, c.shown, c.typed, false, context);
        EXPECT_EQ(out, c.html) << c.shown;
    }
}

} // namespace
} // namespace notes
