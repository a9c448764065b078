// The reader's "mdreader://local" addresses: any file path survives the trip to an address and
// back (as its standardized form), and every address that names a file names it again after
// the same trip.
#include "fuzz/FuzzCheck.hpp"
#include "notes/text/PathText.hpp"
#include "notes/text/ReaderURL.hpp"

#include <cstdint>
#include <optional>
#include <string>

using markdown::URL;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    if (!text.empty() && text.find('\0') == std::string::npos) {
        const URL file = URL::fileURL(text);
        const std::string address = notes::readerURL(file);
        const std::optional<URL> back = notes::fileURLFromReaderURL(address);
        fuzz::check(back.has_value(), "the address of a path names a file");
        fuzz::check(notes::readerURL(*back) == address, "the named file has the same address");
        if (text.starts_with('/') && notes::isStandardizedPath(text))
            fuzz::check(back->path() == text, "a standardized path comes back unchanged");
    }

    if (const std::optional<URL> file = notes::fileURLFromReaderURL(text)) {
        fuzz::check(!file->path().empty() && file->path().find('\0') == std::string::npos,
                    "an address names a non-empty path without NUL");
        const std::optional<URL> again = notes::fileURLFromReaderURL(notes::readerURL(*file));
        fuzz::check(again.has_value(), "the file an address names has an address");
        fuzz::check(notes::readerURL(*again) == notes::readerURL(*file),
                    "the trip through an address is stable");
    }
    return 0;
}
