#include "Markdown/support/UnicodeText.hpp"

#include "Markdown/support/Fatal.hpp"

#include <unicode/normalizer2.h>
#include <unicode/stringpiece.h>
#include <unicode/utf8.h>

namespace markdown {
namespace {

const icu::Normalizer2& nfc() {
    static const icu::Normalizer2* instance = [] {
        UErrorCode status = U_ZERO_ERROR;
        const icu::Normalizer2* n = icu::Normalizer2::getNFCInstance(status);
        require(U_SUCCESS(status) && n != nullptr, "ICU has no NFC normalizer");
        return n;
    }();
    return *instance;
}

bool isWellFormed(std::string_view text) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    int32_t length = static_cast<int32_t>(text.size());
    int32_t i = 0;
    while (i < length) {
        UChar32 c = 0;
        U8_NEXT(bytes, i, length, c);
        if (c < 0)
            return false;
    }
    return true;
}

// The fast path: most text is already NFC, and then byte equality decides.
bool isNFC(std::string_view text) {
    UErrorCode status = U_ZERO_ERROR;
    bool result = nfc().isNormalizedUTF8(
        icu::StringPiece(text.data(), static_cast<int32_t>(text.size())), status);
    return U_SUCCESS(status) && result;
}

} // namespace

bool isWellFormedUTF8(std::string_view text) {
    return isWellFormed(text);
}

std::string toNFC(std::string_view text) {
    if (isNFC(text) || !isWellFormed(text))
        return std::string(text);
    std::string out;
    icu::StringByteSink<std::string> sink(&out);
    UErrorCode status = U_ZERO_ERROR;
    nfc().normalizeUTF8(0, icu::StringPiece(text.data(), static_cast<int32_t>(text.size())), sink,
                        nullptr, status);
    return U_SUCCESS(status) ? out : std::string(text);
}

bool canonicallyEqual(std::string_view a, std::string_view b) {
    if (a == b)
        return true;
    bool aNFC = isNFC(a);
    bool bNFC = isNFC(b);
    if (aNFC && bNFC)
        return false;
    return toNFC(a) == toNFC(b);
}

} // namespace markdown
