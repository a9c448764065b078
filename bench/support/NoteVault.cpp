#include "bench/support/NoteVault.hpp"

#include "bench/support/InstalledMarkdown.hpp"
#include "bench/support/SeededRandom.hpp"

#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string_view>
#include <vector>

namespace bench {
namespace {

constexpr std::array<std::string_view, 24> words{
    "Quarterly", "planning", "Garden", "design", "Reading", "list",    "Meeting",  "notes",
    "Budget",    "review",   "Travel", "ideas",  "Recipe",  "drafts",  "Research", "log",
    "Project",   "kickoff",  "Weekly", "retro",  "Book",    "summary", "Health",   "journal"};

constexpr std::array<std::string_view, 12> sentences{
    "The first draft took longer than planned, mostly because the scope kept moving.",
    "We agreed to revisit the numbers once the second quarter closes.",
    "Nothing here is final; treat it as a working list that changes every week.",
    "Résumé, naïve café and 東京 show up in names often enough to matter.",
    "Keep the decision log short: what was decided, by whom, and why.",
    "A smaller set of options turned out to be easier to compare honestly.",
    "Follow-ups go to the owner named in the table below, not to the whole group.",
    "Most of the cost sits in the last ten percent of the work, as usual.",
    "The notes from last time already covered half of this, so only the rest is new.",
    "Links between notes matter more than folders once the vault grows past a few hundred.",
    "An *emphasised* aside, a **strong** claim and a `code span` in one line.",
    "See https://example.org/docs for the background, and <https://example.org> for more."};

std::string numbered(const char* pattern, std::size_t value) {
    char text[32];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

} // namespace

NoteVault::NoteVault(std::size_t notes, std::size_t folders)
    : notes(notes), folders(folders == 0 ? 1 : folders) {}

std::string NoteVault::folderPath(std::size_t folder) const {
    // A twentieth of the folders are areas at the top; the others are topics inside them.
    const std::size_t areas = folders / 20 == 0 ? 1 : folders / 20;
    if (folder < areas)
        return numbered("Area %zu", folder);
    const std::size_t topic = folder - areas;
    return numbered("Area %zu", topic % areas) + numbered("/Topic %02zu", topic / areas);
}

std::string NoteVault::noteName(std::size_t note) const {
    if (note < folders)
        return "Index";
    std::string name(words[note % words.size()]);
    name += ' ';
    name += words[(note / words.size()) % words.size()];
    name += numbered(" %zu", note);
    return name;
}

std::string NoteVault::notePath(std::size_t note) const {
    return folderPath(folderOf(note)) + "/" + noteName(note) + ".md";
}

std::string NoteVault::noteText(std::size_t note) const {
    SeededRandom random(note);
    auto other = [&] { return folders + random.below(notes > folders ? notes - folders : 1); };
    auto link = [&] { return "[[" + noteName(other()) + "]]"; };
    const std::string name = noteName(note);
    const std::size_t folder = folderOf(note);

    std::string text = "---\ntitle: " + name + "\ntags: [notes, " +
                       numbered("area-%zu", folder % 10) + ", \"draft\"]\naliases:\n  - " +
                       std::string(words[random.below(words.size())]) + numbered(" %zu", note) +
                       "\ncreated: 2024-03-" + numbered("%02zu", 1 + note % 28) + "\n---\n";
    text += "# " + name + "\n\n";
    text += std::string(sentences[random.below(sentences.size())]) + " It builds on " + link() +
            " and on [[" + folderPath(folderOf(other())) + "/" + noteName(other()) +
            "|the earlier note]]; the open points are in [[" + noteName(other()) +
            "#Tasks]] and ==highlighted== here.[^1] Some of it is ~~obsolete~~ by now.\n\n";
    text += "> [!note] Context\n> " + std::string(sentences[random.below(sentences.size())]) +
            "\n> Back to [[Index]].\n\n";
    text += "## Tasks\n\n- [x] Read " + link() +
            "\n- [ ] Write up the outcome\n  - [ ] Ask about " + link() +
            "\n- [ ] Check [[Nowhere " + numbered("%zu", note) + "]]\n\n";
    if (note % 3 == 0) {
        text += "## Data\n\n| Item | Owner | Status |\n|:-----|:-----:|-------:|\n";
        for (std::size_t row = 0; row < 3 + random.below(6); ++row)
            text += numbered("| Item %zu | ", row) + link() + numbered(" | %zu%% |\n", row * 17);
        text += "\n";
    }
    if (note % 4 == 0)
        text +=
            "```python\ndef total(items):\n    return sum(item.cost for item in items)\n```\n\n";
    text += numbered("![[figure %zu.png]]\n\n", folder);
    for (std::size_t paragraph = 0; paragraph < 1 + random.below(4); ++paragraph) {
        for (std::size_t sentence = 0; sentence < 2 + random.below(5); ++sentence)
            text += std::string(sentences[random.below(sentences.size())]) + " ";
        text += link() + ".\n\n";
    }
    text += "[^1]: See " + link() + " for the numbers.\n";
    if (note % 5 == 0)
        text += "[^long]: A longer footnote\n    that goes on in a second line.\n";
    return text;
}

void NoteVault::write(const std::filesystem::path& root) const {
    for (std::size_t folder = 0; folder < folders; ++folder) {
        std::filesystem::path path = root / folderPath(folder);
        std::filesystem::create_directories(path);
        std::ofstream(path / numbered("figure %zu.png", folder), std::ios::binary)
            << "\x89PNG\r\n\x1a\n";
    }
    for (std::size_t note = 0; note < notes; ++note)
        std::ofstream(root / notePath(note), std::ios::binary) << noteText(note);
}

std::string NoteVault::concatenated(std::size_t size) const {
    std::vector<std::string> texts;
    std::size_t total = 0;
    for (std::size_t note = 0; note < notes && total < size; ++note) {
        texts.push_back(noteText(note));
        total += texts.back().size();
    }
    return joinToSize(texts, size);
}

} // namespace bench
