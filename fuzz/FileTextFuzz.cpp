// Strict decoding of note files: exactly the well-formed UTF-8 bodies are accepted, an accepted
// file encodes back to its very bytes, and line-break handling keeps every character.
#include "Markdown/support/UnicodeText.hpp"
#include "fuzz/FuzzCheck.hpp"
#include "fuzz/LineBreaks.hpp"
#include "notes/files/FileText.hpp"

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace {

// Every LF of the text has a CR before it.
bool hasOnlyCRLF(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto decoded = notes::FileText::decode(bytes);
    const std::string_view body = bytes.starts_with("\xEF\xBB\xBF") ? bytes.substr(3) : bytes;
    const auto* file = std::get_if<notes::FileText>(&decoded);
    fuzz::check((file != nullptr) == markdown::isWellFormedUTF8(body),
                "exactly the well-formed UTF-8 bodies are accepted");
    if (file == nullptr)
        return 0;

    fuzz::check(file->encoded() == bytes, "an accepted file encodes back to its bytes");
    fuzz::check(file->text == body, "the text is the file after its mark, unchanged");
    fuzz::check(file->lineEnding == notes::detectLineEnding(file->text),
                "the line ending is the one that dominates");

    fuzz::check(notes::convertLineBreaks(file->text, notes::LineEnding::lf) == file->text,
                "converting to LF changes nothing");
    const std::string crlf = notes::convertLineBreaks(file->text, notes::LineEnding::crlf);
    fuzz::check(hasOnlyCRLF(crlf), "converting to CR LF leaves no bare LF");
    fuzz::check(notes::convertLineBreaks(crlf, notes::LineEnding::crlf) == crlf,
                "converting to CR LF twice changes nothing more");
    fuzz::check(fuzz::withoutCRBeforeLF(crlf) == fuzz::withoutCRBeforeLF(file->text),
                "converting to CR LF only adds CRs before LFs");
    return 0;
}
