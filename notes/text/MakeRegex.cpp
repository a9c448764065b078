#include "notes/text/MakeRegex.hpp"

#include "Markdown/support/Fatal.hpp"

#include <unicode/stringpiece.h>

#include <string>

namespace notes {

std::unique_ptr<const icu::RegexPattern> makeRegex(std::string_view pattern, uint32_t flags,
                                                   std::source_location where) {
    UErrorCode status = U_ZERO_ERROR;
    UParseError parseError{};
    const auto source = icu::UnicodeString::fromUTF8(
        icu::StringPiece(pattern.data(), static_cast<int32_t>(pattern.size())));
    std::unique_ptr<const icu::RegexPattern> built(
        icu::RegexPattern::compile(source, flags, parseError, status));
    if (U_FAILURE(status) || !built) {
        markdown::fatal(std::string("regular expression at ") + where.file_name() + ":" +
                        std::to_string(where.line()) + " does not build (" + u_errorName(status) +
                        " at offset " + std::to_string(parseError.offset) + ")");
    }
    return built;
}

} // namespace notes
