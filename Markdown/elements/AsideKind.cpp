#include "Markdown/elements/Aside.hpp"

#include "Markdown/support/UnicodeText.hpp"

#include <array>
#include <string_view>
#include <utility>

namespace markdown {

const Aside::Kind Aside::Kind::note{"Note"};
const Aside::Kind Aside::Kind::tip{"Tip"};
const Aside::Kind Aside::Kind::important{"Important"};
const Aside::Kind Aside::Kind::experiment{"Experiment"};
const Aside::Kind Aside::Kind::warning{"Warning"};
const Aside::Kind Aside::Kind::attention{"Attention"};
const Aside::Kind Aside::Kind::author{"Author"};
const Aside::Kind Aside::Kind::authors{"Authors"};
const Aside::Kind Aside::Kind::bug{"Bug"};
const Aside::Kind Aside::Kind::complexity{"Complexity"};
const Aside::Kind Aside::Kind::copyright{"Copyright"};
const Aside::Kind Aside::Kind::date{"Date"};
const Aside::Kind Aside::Kind::invariant{"Invariant"};
const Aside::Kind Aside::Kind::mutatingVariant{"MutatingVariant"};
const Aside::Kind Aside::Kind::nonMutatingVariant{"NonMutatingVariant"};
const Aside::Kind Aside::Kind::postcondition{"Postcondition"};
const Aside::Kind Aside::Kind::precondition{"Precondition"};
const Aside::Kind Aside::Kind::remark{"Remark"};
const Aside::Kind Aside::Kind::requires_{"Requires"};
const Aside::Kind Aside::Kind::since{"Since"};
const Aside::Kind Aside::Kind::todo{"ToDo"};
const Aside::Kind Aside::Kind::version{"Version"};
const Aside::Kind Aside::Kind::throws{"Throws"};
const Aside::Kind Aside::Kind::seeAlso{"SeeAlso"};

const std::vector<Aside::Kind>& Aside::Kind::allCases() {
    // clang-format off
    static const std::vector<Kind> cases{
        note, tip, important, experiment, warning, attention, author, authors, bug, complexity,
        copyright, date, invariant, mutatingVariant, nonMutatingVariant, postcondition,
        precondition, remark, requires_, since, todo, version, throws, seeAlso};
    // clang-format on
    return cases;
}

std::string Aside::Kind::displayName() const {
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 4> spaced{{
        {"SeeAlso", "See Also"},
        {"NonMutatingVariant", "Non-Mutating Variant"},
        {"MutatingVariant", "Mutating Variant"},
        {"ToDo", "To Do"},
    }};
    for (const auto& [raw, display] : spaced)
        if (canonicallyEqual(rawValue, raw))
            return std::string(display);
    return rawValue;
}

bool operator==(const Aside::Kind& a, const Aside::Kind& b) {
    return canonicallyEqual(a.rawValue, b.rawValue);
}

} // namespace markdown
