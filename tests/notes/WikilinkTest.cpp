#include "notes/WikilinkHTML.hpp"
#include "notes/WikilinkParts.hpp"

#include "FakeResolver.hpp"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace notes {
namespace {

using testing::FakeResolver;

TEST(Wikilink, SplitsTargetHeadingAndAlias) {
    struct Case {
        std::string_view body;
        std::string targetPart;
        std::optional<std::string> alias;
        std::string name;
        std::optional<std::string> heading;
        std::optional<std::string> anchor;
        std::string last;
    };
    const Case cases[] = {
        {"Plan", "Plan", std::nullopt, "Plan", std::nullopt, std::nullopt, "Plan"},
        {" projects/Plan # Next steps | the plan ", "projects/Plan # Next steps", "the plan",
         "projects/Plan", "Next steps", "next-steps", "Plan"},
        {"Plan#^abc123", "Plan#^abc123", std::nullopt, "Plan", "^abc123", "abc123", "Plan"},
        {"#Intro", "#Intro", std::nullopt, "", "Intro", "intro", ""},
        {"a\\|b|c", "a", "b|c", "a", std::nullopt, std::nullopt, "a"},
        {"folder//", "folder//", std::nullopt, "folder//", std::nullopt, std::nullopt, "folder"},
        {"Plan|", "Plan", "", "Plan", std::nullopt, std::nullopt, "Plan"},
    };
    for (const Case& c : cases) {
        const WikilinkParts parts = WikilinkParts::parse(c.body);
        EXPECT_EQ(parts.targetPart, c.targetPart) << c.body;
        EXPECT_EQ(parts.alias, c.alias) << c.body;
        EXPECT_EQ(parts.name, c.name) << c.body;
        EXPECT_EQ(parts.heading, c.heading) << c.body;
        EXPECT_EQ(parts.anchor, c.anchor) << c.body;
        EXPECT_EQ(parts.last, c.last) << c.body;
    }
}

TEST(Wikilink, ReadsEmbedSizesWithoutThrowingOnHugeNumbers) {
    struct Case {
        std::string_view alias;
        std::optional<EmbedSize> size;
    };
    const Case cases[] = {
        {"300", EmbedSize{300, std::nullopt}},
        {"300x200", EmbedSize{300, 200}},
        {"300X", EmbedSize{300, std::nullopt}},
        {"x200", EmbedSize{200, std::nullopt}},
        {"300xbig", EmbedSize{300, std::nullopt}},
        {"+20x-5", EmbedSize{20, -5}},
        {"300x99999999999999999999", EmbedSize{300, std::nullopt}},
        {"99999999999999999999", std::nullopt},
        {"big", std::nullopt},
        {"", std::nullopt},
        {"xx", std::nullopt},
        {"3 00", std::nullopt},
        {"+", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseEmbedSize(c.alias), c.size) << c.alias;
}

TEST(Wikilink, WritesLinksImagesAndUnresolvedLabels) {
    const FakeResolver resolver{{"Plan", "/notes/Plan.md"},
                                {"photo.png", "/notes/img/Photo.PNG"},
                                {"Other note", "/notes/Other note.md"}};
    const WikilinkContext context{&resolver,
                                  markdown::URL::fileURL(std::string("/notes/Index.md"))};
    struct Case {
        std::string_view body;
        bool embed;
        std::string html;
    };
    const Case cases[] = {
        {"Plan", false, R"(<a class="wikilink" href="mdreader://local/notes/Plan.md">Plan</a>)"},
        {"Plan#Next steps", false,
         R"(<a class="wikilink" href="mdreader://local/notes/Plan.md#next-steps">)"
         "Plan › Next steps</a>"},
        {"Plan#Next steps|the plan", false,
         R"(<a class="wikilink" href="mdreader://local/notes/Plan.md#next-steps">the plan</a>)"},
        {"Plan#^abc123", false,
         R"(<a class="wikilink" href="mdreader://local/notes/Plan.md#abc123">Plan › ^abc123</a>)"},
        {"#Intro", false,
         R"(<a class="wikilink" href="mdreader://local/notes/Index.md#intro">Intro</a>)"},
        {"Plan|", false, R"(<a class="wikilink" href="mdreader://local/notes/Plan.md">Plan</a>)"},
        {"Plan#Über uns", false,
         R"(<a class="wikilink" href="mdreader://local/notes/Plan.md#%C3%BCber-uns">)"
         "Plan › Über uns</a>"},
        {"a<b", false,
         R"(<span class="wikilink unresolved" title="No note named “a&lt;b” in this folder">)"
         "a&lt;b</span>"},
        {"photo.png|300", true,
         R"(<img class="embed" src="mdreader://local/notes/img/Photo.PNG" alt="Photo.PNG")"
         R"( width="300" loading="lazy">)"},
        {"photo.png|300x200", true,
         R"(<img class="embed" src="mdreader://local/notes/img/Photo.PNG" alt="Photo.PNG")"
         R"( width="300" height="200" loading="lazy">)"},
        {"photo.png#top|Holiday", true,
         R"(<img class="embed" src="mdreader://local/notes/img/Photo.PNG" alt="Holiday")"
         R"( loading="lazy">)"},
        {"photo.png", false,
         R"(<a class="wikilink" href="mdreader://local/notes/img/Photo.PNG">photo.png</a>)"},
        {"Other note", true,
         R"(<a class="wikilink embed-link" href="mdreader://local/notes/Other%20note.md">)"
         "Other note</a>"},
        {"Plan|300", true,
         R"(<a class="wikilink embed-link" href="mdreader://local/notes/Plan.md">Plan</a>)"},
        {"gone.png", true,
         R"(<span class="wikilink unresolved" title="No note named “gone.png” in this folder">)"
         "gone.png</span>"},
    };
    for (const Case& c : cases) {
        std::string out;
        writeWikilink(out, c.body, c.body, c.embed, context);
        EXPECT_EQ(out, c.html) << c.body;
    }
}

TEST(Wikilink, WithoutAnIndexWritesPlainLabelsButStillLinksIntoTheNote) {
    const WikilinkContext context{nullptr, markdown::URL::fileURL(std::string("/notes/Index.md"))};
    std::string out;
    writeWikilink(out, "Missing", "Missing", false, context);
    writeWikilink(out, "#Intro", "#Intro", false, context);
    EXPECT_EQ(out, R"(<span class="wikilink">Missing</span>)"
                   R"(<a class="wikilink" href="mdreader://local/notes/Index.md#intro">Intro</a>)");
}

TEST(Wikilink, ResolvesTheTargetAsTypedAndShowsItAsParsed) {
    const FakeResolver resolver{{"Bob's notes", "/notes/Bob's notes.md"},
                                {"Plan", "/notes/Plan.md"},
                                {"Ann’s plan", "/notes/Ann’s plan.md"}};
    const WikilinkContext context{&resolver,
                                  markdown::URL::fileURL(std::string("/notes/Index.md"))};
    struct Case {
        std::string_view shown;
        std::string_view typed;
        std::string html;
    };
    const Case cases[] = {
        {"Bob’s notes", "Bob's notes",
         R"(<a class="wikilink" href="mdreader://local/notes/Bob's%20notes.md">Bob’s notes</a>)"},
        // The heading keeps its parsed form, as the linked note's heading ids do.
        {"Plan#a–b", "Plan#a--b",
         R"(<a class="wikilink" href="mdreader://local/notes/Plan.md#ab">Plan › a–b</a>)"},
        // A file really named with a curly apostrophe is still found.
        {"Ann’s plan", "Ann's plan",
         R"(<a class="wikilink" href="mdreader://local/notes/Ann%E2%80%99s%20plan.md">)"
         "Ann’s plan</a>"},
        {"Eve’s", "Eve's",
         R"(<span class="wikilink unresolved" title="No note named “Eve's” in this folder">)"
         "Eve’s</span>"},
    };
    for (const Case& c : cases) {
        std::string out;
        writeWikilink(out, c.shown, c.typed, false, context);
        EXPECT_EQ(out, c.html) << c.shown;
    }
}

} // namespace
} // namespace notes
