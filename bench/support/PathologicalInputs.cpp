#include "bench/support/PathologicalInputs.hpp"

#include <cstdint>
#include <functional>
#include <utility>

namespace bench {
namespace {

std::string repeated(std::string_view unit, std::size_t times) {
    std::string text;
    text.reserve(unit.size() * times);
    for (std::size_t i = 0; i < times; ++i)
        text += unit;
    return text;
}

// The unit as often as it fits, after `head`.
std::string filled(std::string_view unit, std::size_t size, std::string_view head = {}) {
    return std::string(head) + repeated(unit, (size - head.size()) / unit.size());
}

// `open` n times, the middle, then `close` n times, as deep as it fits.
std::string nested(std::string_view open, std::string_view middle, std::string_view close,
                   std::size_t size) {
    const std::size_t depth = (size - middle.size()) / (open.size() + close.size());
    return repeated(open, depth) + std::string(middle) + repeated(close, depth);
}

// The pieces `piece(0)`, `piece(1)`, ... end to end, as many as fit.
std::string grown(std::size_t size, const std::function<std::string(std::size_t)>& piece) {
    std::string text;
    for (std::size_t i = 0;; ++i) {
        std::string next = piece(i);
        if (text.size() + next.size() > size)
            return text;
        text += next;
    }
}

// Reference labels whose hash falls in one bucket of a 16-bucket table of the library's older
// reference map.
std::string referenceCollisions(std::size_t size) {
    const auto collides = [](const std::string& label) {
        std::uint32_t hash = 0;
        for (const char c : label)
            hash = static_cast<std::uint32_t>(static_cast<unsigned char>(c)) + (hash << 6) +
                   (hash << 16) - hash;
        return hash % 16 == 0;
    };
    std::size_t next = 0;
    const auto nextLabel = [&] {
        for (;; ++next)
            if (std::string label = "x" + std::to_string(next); collides(label)) {
                ++next;
                return label;
            }
    };
    const std::string used = nextLabel();
    return grown(size,
                 [&](std::size_t) { return "[" + nextLabel() + "]: /url\n\n[" + used + "]\n\n"; });
}

using Maker = std::function<std::string(std::size_t)>;

const std::vector<std::pair<std::string, Maker>>& makers() {
    static const std::vector<std::pair<std::string, Maker>> all = {
        {"nested_strong_emph", [](auto size) { return nested("*a **a ", "b", " a** a*", size); }},
        {"emph_closers_without_openers", [](auto size) { return filled("a_ ", size); }},
        {"emph_openers_without_closers", [](auto size) { return filled("_a ", size); }},
        {"link_closers_without_openers", [](auto size) { return filled("a]", size); }},
        {"link_openers_without_closers", [](auto size) { return filled("[a", size); }},
        {"mismatched_openers_and_closers", [](auto size) { return filled("*a_ ", size); }},
        {"openers_and_closers_multiple_of_3",
         [](auto size) { return filled("c* ", size, "a**b"); }},
        {"link_openers_and_emph_closers", [](auto size) { return filled("[ a_", size); }},
        {"bracket_parenthesis_pattern", [](auto size) { return filled("[ (](", size); }},
        {"image_bracket_pattern", [](auto size) { return filled("![[]()", size); }},
        {"hard_link_emph_case", [](auto size) { return filled("**x [a*b**c*](d)\n", size); }},
        {"nested_brackets", [](auto size) { return nested("[", "a", "]", size); }},
        {"nested_block_quotes", [](auto size) { return filled("> ", size - 1) + "a"; }},
        {"deeply_nested_lists",
         [](auto size) {
             return grown(size, [](std::size_t i) { return repeated("  ", i) + "* a\n"; });
         }},
        {"nul_in_input", [](auto size) { return filled(std::string_view("abc\0de\0", 7), size); }},
        {"backticks",
         [](auto size) {
             return grown(size, [](std::size_t i) { return "e" + repeated("`", i + 1); });
         }},
        {"unclosed_links_a", [](auto size) { return filled("[a](<b", size); }},
        {"unclosed_links_b", [](auto size) { return filled("[a](b", size); }},
        {"unclosed_html_comments", [](auto size) { return filled("<!--", size, "</"); }},
        {"tables", [](auto size) { return filled("aaa\rbbb\n-\v\n", size); }},
        {"reference_collisions", referenceCollisions},
        {"emphasis_and_links",
         [](auto size) {
             return filled("Lorem ipsum dolor sit amet, *consectetur* adipiscing elit "
                           "[link](x.md) \u00fc\n",
                           size);
         }},
    };
    return all;
}

} // namespace

const std::vector<std::string>& pathologicalInputNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all;
        for (const auto& [name, make] : makers())
            all.push_back(name);
        return all;
    }();
    return names;
}

std::string pathologicalText(std::string_view name, std::size_t size) {
    for (const auto& [known, make] : makers())
        if (known == name)
            return make(size);
    return {};
}

} // namespace bench
