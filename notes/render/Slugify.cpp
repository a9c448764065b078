#include "notes/render/Slugify.hpp"

#include "Markdown/support/Fatal.hpp"

#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <memory>

namespace notes {
namespace {

// A character (grapheme cluster) is a letter or number by its first code point.
bool isLetterOrNumber(UChar32 first) {
    return u_hasBinaryProperty(first, UCHAR_ALPHABETIC) ||
           u_getIntPropertyValue(first, UCHAR_NUMERIC_TYPE) != U_NT_NONE;
}

bool isSeparator(const icu::UnicodeString& text, int32_t start, int32_t end) {
    if (end - start != 1)
        return false;
    const char16_t c = text.charAt(start);
    return c == u' ' || c == u'-' || c == u'_';
}

// Making one costs far more than slugging a heading; a rendering slugs every heading.
icu::BreakIterator& characterBreaks() {
    thread_local const std::unique_ptr<icu::BreakIterator> instance = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::BreakIterator> breaks(
            icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
        markdown::require(U_SUCCESS(status) && breaks, "ICU has no character break iterator");
        return breaks;
    }();
    return *instance;
}

// ASCII text needs neither ICU's case mapping nor its character breaks: every byte is a
// character of its own (CR LF, one character, is dropped either way), and only letters and
// digits are letters or numbers.
std::string asciiSlug(std::string_view text) {
    std::string slug;
    bool separated = false;
    for (const char c : text) {
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
            slug += c;
            separated = false;
        } else if (c >= 'A' && c <= 'Z') {
            slug += static_cast<char>(c - 'A' + 'a');
            separated = false;
        } else if ((c == ' ' || c == '-' || c == '_') && !separated && !slug.empty()) {
            slug += '-';
            separated = true;
        }
    }
    if (slug.ends_with('-'))
        slug.pop_back();
    return slug.empty() ? "section" : slug;
}

} // namespace

std::string slugify(std::string_view text) {
    if (std::all_of(text.begin(), text.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return asciiSlug(text);
    icu::UnicodeString lowered = icu::UnicodeString::fromUTF8(
        icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
    lowered.toLower(icu::Locale::getRoot());

    icu::BreakIterator* characters = &characterBreaks();
    characters->setText(lowered);

    icu::UnicodeString slug;
    bool separated = false;
    for (int32_t start = characters->first(), end = characters->next();
         end != icu::BreakIterator::DONE; start = end, end = characters->next()) {
        if (isLetterOrNumber(lowered.char32At(start))) {
            slug.append(lowered, start, end - start);
            separated = false;
        } else if (isSeparator(lowered, start, end) && !separated && !slug.isEmpty()) {
            slug.append(u'-');
            separated = true;
        }
    }
    // Runs collapse to one "-", so at most one trails.
    if (slug.endsWith(u"-"))
        slug.truncate(slug.length() - 1);
    if (slug.isEmpty())
        return "section";
    std::string out;
    return slug.toUTF8String(out);
}

} // namespace notes
