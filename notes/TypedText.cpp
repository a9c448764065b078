#include "notes/TypedText.hpp"

namespace notes {
namespace {

// Every substitution is a three-byte character starting E2 80; what the user typed instead.
std::string_view typedFor(unsigned char third) {
    switch (third) {
    case 0x93: // – EN DASH
        return "--";
    case 0x94: // — EM DASH
        return "---";
    case 0x98: // ‘
    case 0x99: // ’
        return "'";
    case 0x9C: // “
    case 0x9D: // ”
        return "\"";
    case 0xA6: // … HORIZONTAL ELLIPSIS
        return "...";
    default:
        return {};
    }
}

// The typed form of the character at `i`, or nothing when it is no substitution.
std::string_view substitutionAt(std::string_view shown, std::size_t i) {
    if (i + 2 >= shown.size() || static_cast<unsigned char>(shown[i]) != 0xE2 ||
        static_cast<unsigned char>(shown[i + 1]) != 0x80)
        return {};
    return typedFor(static_cast<unsigned char>(shown[i + 2]));
}

} // namespace

TypedText::TypedText(std::string_view shown) {
    std::size_t i = 0;
    while (i < shown.size() && substitutionAt(shown, i).empty())
        ++i;
    if (i == shown.size()) {
        typed_ = shown;
        return;
    }
    typed_.reserve(shown.size());
    shownOffsets_.reserve(shown.size() + 1);
    for (i = 0; i < shown.size();) {
        std::string_view typed = substitutionAt(shown, i);
        if (typed.empty()) {
            typed_ += shown[i];
            shownOffsets_.push_back(i);
            ++i;
            continue;
        }
        typed_ += typed;
        shownOffsets_.insert(shownOffsets_.end(), typed.size(), i);
        i += 3;
    }
    shownOffsets_.push_back(shown.size());
}

std::size_t TypedText::shownOffset(std::size_t typedOffset) const {
    if (shownOffsets_.empty())
        return typedOffset;
    return shownOffsets_.at(typedOffset);
}

std::string typedForm(std::string_view shown) {
    return TypedText(shown).text();
}

} // namespace notes
