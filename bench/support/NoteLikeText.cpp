#include "bench/support/NoteLikeText.hpp"

#include "bench/support/InstalledMarkdown.hpp"
#include "bench/support/SeededRandom.hpp"

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace bench {
namespace {

constexpr std::array<std::string_view, 10> latin{
    "The first draft took longer than planned, mostly because the scope kept moving.",
    "We agreed to revisit the numbers once the second quarter closes.",
    "Nothing here is final; treat it as a working list that changes every week.",
    "Keep the decision log short: what was decided, by whom, and why.",
    "A smaller set of options turned out to be easier to compare honestly.",
    "Follow-ups go to the owner named in the table below, not to the whole group.",
    "Most of the cost sits in the last ten percent of the work, as usual.",
    "An *emphasised* aside, a **strong** claim and a `code span` in one line.",
    "Links between notes matter more than folders once the vault grows past a few hundred.",
    "See https://example.org/docs for the background, and <https://example.org> for more."};

// Khmer writes no spaces between words; zero-width spaces mark where a line may break.
constexpr std::array<std::string_view, 4> otherScripts{
    "ភាសាខ្មែរ\u200Bគឺជា\u200Bភាសា\u200Bផ្លូវការ\u200Bរបស់\u200Bប្រទេស\u200Bកម្ពុជា។",
    "বাংলা ভাষা দক্ষিণ এশিয়ার একটি প্রধান ভাষা, এবং এর লিপি যুক্তাক্ষরে ভরা।",
    "東京の会議は来週に延期されました。資料は共有フォルダにあります。",
    "我们下周再讨论这个问题，请先阅读[[会议记录]]。"};

constexpr std::array<std::string_view, 4> cellNames{"Item", "ផែនការ", "কাজ", "項目"};

std::string noteText(std::size_t note) {
    SeededRandom random(note);
    const auto number = [](std::size_t value) { return std::to_string(value); };
    const auto link = [&] { return "[[Note " + number(random.below(500)) + "]]"; };
    // One sentence in ten is in another script.
    const auto sentence = [&] {
        return std::string(random.below(10) == 0 ? otherScripts[random.below(otherScripts.size())]
                                                 : latin[random.below(latin.size())]);
    };
    std::string text = "# Note " + number(note) + "\n\n";
    text += sentence() + " It builds on " + link() + " and [[Area " + number(note % 10) +
            "/Plan#Goals|the plan]]; the open points are ==highlighted== here.[^1]\n" + sentence() +
            "\n\n";
    text += "> [!note] Context\n> " + sentence() + "\n> Back to [[Index]].\n\n";
    text += "- [ ] " + sentence() + "\n  - " + link() + "\n    - " + sentence() + "\n  - " +
            sentence() + "\n- [x] " + sentence() + "\n\n";
    text += "1. " + sentence() + "\n\n   " + sentence() + "\n\n2. " + link() + "\n\n   - " +
            sentence() + "\n\n     - " + sentence() + "\n\n";
    if (note % 3 == 0) {
        text += "| Item | Owner | Status |\n|:-----|:-----:|-------:|\n";
        for (std::size_t row = 0; row < 3 + random.below(4); ++row)
            text += "| " + std::string(cellNames[random.below(cellNames.size())]) + " " +
                    number(row) + " | " + link() + " | " + number(row * 17) + "% |\n";
        text += "\n";
    }
    if (note % 4 == 0)
        text += "```python\ndef total(items):\n    return sum(i.cost for i in items)\n```\n\n";
    text += "![[figure " + number(note % 20) + ".png]]\n\n";
    for (std::size_t paragraph = 0; paragraph < 1 + random.below(3); ++paragraph) {
        for (std::size_t line = 0; line < 2 + random.below(4); ++line)
            text += sentence() + "\n";
        text += link() + ".\n\n";
    }
    text += "[^1]: See " + link() + " for the numbers.\n";
    return text;
}

} // namespace

std::string noteLikeText(std::size_t size) {
    std::vector<std::string> texts;
    std::size_t total = 0;
    for (std::size_t note = 0; total < size; ++note) {
        texts.push_back(noteText(note));
        total += texts.back().size() + 2;
    }
    return joinToSize(texts, size);
}

} // namespace bench
