#include "notes/render/TypedText.hpp"

#include <algorithm>
#include <numeric>

namespace notes {
namespace {

// How far from the parser's position a text is looked for: its columns miss the indentation
// of continuation lines and the backslashes of "\|" in table cells.
constexpr std::size_t searchDistance = 16;

// Every typographic substitution is a three-byte character starting E2 80; what it was typed as.
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

// The typed form of the typographic character at `i`, or nothing when it is none.
std::string_view substitutionAt(std::string_view shown, std::size_t i) {
    if (i + 2 >= shown.size() || static_cast<unsigned char>(shown[i]) != 0xE2 ||
        static_cast<unsigned char>(shown[i + 1]) != 0x80)
        return {};
    return typedFor(static_cast<unsigned char>(shown[i + 2]));
}

bool isASCIIPunctuation(char c) {
    return (c >= '!' && c <= '/') || (c >= ':' && c <= '@') || (c >= '[' && c <= '`') ||
           (c >= '{' && c <= '~');
}

bool isAlphanumeric(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The length of the entity ("&amp;", "&#38;", "&#x26;") at `i`, or 0.
std::size_t entityLength(std::string_view source, std::size_t i) {
    std::size_t end = i + 1;
    std::size_t maxDigits = 32;
    if (end < source.size() && source[end] == '#') {
        ++end;
        maxDigits = 7;
        if (end < source.size() && (source[end] == 'x' || source[end] == 'X')) {
            ++end;
            maxDigits = 6;
        }
    }
    const std::size_t first = end;
    while (end < source.size() && end - first < maxDigits && isAlphanumeric(source[end]))
        ++end;
    if (end == first || end >= source.size() || source[end] != ';')
        return 0;
    return end + 1 - i;
}

std::size_t codePointLength(std::string_view text, std::size_t i) {
    std::size_t end = i + 1;
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        ++end;
    return end - i;
}

// Whether the source at `i` can stand for the shown text at `j`, judged by one character.
bool mayContinue(std::string_view source, std::size_t i, std::string_view shown, std::size_t j) {
    if (j == shown.size())
        return true;
    if (i >= source.size())
        return false;
    return source[i] == shown[j] ||
           std::string_view("\\&'\"-.").find(source[i]) != std::string_view::npos;
}

} // namespace

TypedText TypedText::asTyped(std::string_view text) {
    TypedText typed;
    typed.shown_ = text;
    typed.typed_ = text;
    return typed;
}

TypedText TypedText::guessed(std::string_view shown) {
    TypedText typed;
    typed.appendGuessed(shown);
    return typed;
}

void TypedText::append(std::string_view shown, const std::optional<markdown::SourceRange>& range,
                       const SourceText& source) {
    const std::optional<std::size_t> hint = range ? source.offset(range->start()) : std::nullopt;
    if (hint)
        append(shown, source.text(), *hint);
    else
        appendGuessed(shown);
}

void TypedText::append(std::string_view shown, std::string_view source, std::size_t hint) {
    if (alignAt(shown, source, hint))
        return;
    // However deep a continuation line is indented, its text starts after the blanks.
    std::size_t afterBlanks = hint;
    while (afterBlanks < source.size() &&
           (source[afterBlanks] == ' ' || source[afterBlanks] == '\t'))
        ++afterBlanks;
    if (afterBlanks > hint + searchDistance && alignAt(shown, source, afterBlanks))
        return;
    for (std::size_t distance = 1; distance <= searchDistance; ++distance) {
        if (hint + distance <= source.size() && alignAt(shown, source, hint + distance))
            return;
        if (distance <= hint && alignAt(shown, source, hint - distance))
            return;
    }
    appendGuessed(shown);
}

void TypedText::appendGuessed(std::string_view shown) {
    const std::size_t base = shown_.size();
    shown_ += shown;
    for (std::size_t i = 0; i < shown.size();) {
        const std::string_view typed = substitutionAt(shown, i);
        if (typed.empty()) {
            push(shown.substr(i, 1), base + i, false);
            ++i;
        } else {
            push(typed, base + i, false);
            i += 3;
        }
    }
}

std::optional<std::size_t> TypedText::appendFound(std::string_view shown, std::string_view source,
                                                  std::size_t from, std::size_t& budget) {
    for (std::size_t start = from; start <= source.size() && budget != 0; ++start) {
        std::size_t reached = start;
        const std::optional<std::size_t> end = alignAt(shown, source, start, &reached);
        budget -= std::min(budget, (end ? *end : reached) - start + 1);
        if (end)
            return end;
    }
    return std::nullopt;
}

std::optional<std::size_t> TypedText::alignAt(std::string_view shown, std::string_view source,
                                              std::size_t start, std::size_t* reached) {
    const std::size_t base = shown_.size();
    if (source.substr(start, shown.size()) == shown) {
        shown_ += shown;
        pushAsShown(shown, base);
        return start + shown.size();
    }

    const std::size_t typedSize = typed_.size();
    const std::size_t offsetsSize = shownOffsets_.size();
    const std::size_t escapedSize = escaped_.size();
    std::size_t i = start;
    std::size_t j = 0;
    while (j < shown.size()) {
        if (i >= source.size())
            break;
        const char c = source[i];
        if (c == '\\' && i + 1 < source.size() && isASCIIPunctuation(source[i + 1]) &&
            shown[j] == source[i + 1]) {
            push(shown.substr(j, 1), base + j, true);
            i += 2;
            ++j;
            continue;
        }
        if (c == '&') {
            if (const std::size_t length = entityLength(source, i)) {
                // An entity stands for one character, rarely two.
                std::size_t end = j;
                bool found = false;
                for (int characters = 0; characters < 2 && end < shown.size() && !found;
                     ++characters) {
                    end += codePointLength(shown, end);
                    found = mayContinue(source, i + length, shown, end);
                }
                if (found) {
                    for (std::size_t k = j; k < end; ++k)
                        push(shown.substr(k, 1), base + k, false);
                    i += length;
                    j = end;
                    continue;
                }
            }
        }
        if (c == shown[j]) {
            // The run typed as shown, up to a byte that may start an escape or an entity.
            std::size_t run = 1;
            while (j + run < shown.size() && i + run < source.size() &&
                   source[i + run] == shown[j + run] && source[i + run] != '\\' &&
                   source[i + run] != '&')
                ++run;
            pushAsShown(shown.substr(j, run), base + j);
            i += run;
            j += run;
            continue;
        }
        const std::string_view typed = substitutionAt(shown, j);
        if (!typed.empty() && source.substr(i).starts_with(typed)) {
            push(typed, base + j, false);
            i += typed.size();
            j += 3;
            continue;
        }
        break;
    }
    if (j == shown.size()) {
        shown_ += shown;
        return i;
    }
    if (reached != nullptr)
        *reached = i;
    typed_.resize(typedSize);
    // No offsets before the attempt: the kept text is the same on both sides again.
    shownOffsets_.resize(offsetsSize);
    escaped_.resize(escapedSize);
    return std::nullopt;
}

void TypedText::push(std::string_view typed, std::size_t shownOffset, bool escaped) {
    const bool same =
        !escaped && typed.size() == 1 && shownOffset == typed_.size() && shownOffsets_.empty();
    if (!same)
        keepOffsets();
    if (escaped)
        escaped_.push_back(typed_.size());
    typed_ += typed;
    if (!same)
        shownOffsets_.insert(shownOffsets_.end(), typed.size(), shownOffset);
}

void TypedText::pushAsShown(std::string_view run, std::size_t shownOffset) {
    // As a push of each byte: offsets are kept from the first byte that needs them on.
    if (shownOffset != typed_.size() || !shownOffsets_.empty()) {
        keepOffsets();
        const std::size_t first = shownOffsets_.size();
        shownOffsets_.resize(first + run.size());
        std::iota(shownOffsets_.begin() + static_cast<std::ptrdiff_t>(first), shownOffsets_.end(),
                  shownOffset);
    }
    typed_ += run;
}

void TypedText::keepOffsets() {
    if (!shownOffsets_.empty() || typed_.empty())
        return;
    shownOffsets_.resize(typed_.size());
    for (std::size_t i = 0; i < typed_.size(); ++i)
        shownOffsets_[i] = i;
}

TypedText TypedText::suffix(std::size_t shownBegin) const {
    TypedText tail;
    tail.shown_ = shown_.substr(shownBegin);
    std::size_t typedBegin = shownBegin;
    if (!shownOffsets_.empty())
        typedBegin = static_cast<std::size_t>(
            std::lower_bound(shownOffsets_.begin(), shownOffsets_.end(), shownBegin) -
            shownOffsets_.begin());
    tail.typed_ = typed_.substr(typedBegin);
    if (!shownOffsets_.empty())
        for (auto it = shownOffsets_.begin() + static_cast<std::ptrdiff_t>(typedBegin);
             it != shownOffsets_.end(); ++it)
            tail.shownOffsets_.push_back(*it - shownBegin);
    for (std::size_t escaped : escaped_)
        if (escaped >= typedBegin)
            tail.escaped_.push_back(escaped - typedBegin);
    return tail;
}

std::size_t TypedText::shownOffset(std::size_t typedOffset) const {
    if (shownOffsets_.empty() || typedOffset >= shownOffsets_.size())
        return typedOffset >= typed_.size() ? shown_.size() : typedOffset;
    return shownOffsets_[typedOffset];
}

bool TypedText::isEscaped(std::size_t typedOffset) const {
    return std::binary_search(escaped_.begin(), escaped_.end(), typedOffset);
}

} // namespace notes
