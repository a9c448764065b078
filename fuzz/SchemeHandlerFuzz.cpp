// The "mdreader" scheme handler on arbitrary request URLs, with the page's resources in a
// scratch Web folder and a few notes beside it. In an input, "{root}" stands for the scratch
// folder's path, so that seeds can name real files. An answer is a failure or a complete
// response; files elsewhere on the machine are not read, to keep runs fast.
#include "fuzz/FuzzCheck.hpp"
#include "notes/page/LocalSchemeHandler.hpp"
#include "notes/text/ReaderURL.hpp"
#include "tests/notes/ScratchFolder.hpp"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <variant>

namespace {

namespace fs = std::filesystem;

struct Site {
    Site() {
        fs::create_directories(scratch / "Web");
        fs::create_directories(scratch / "notes/img");
        notes::ScratchFolder::write(scratch / "Web/reader.css", "main { margin: 0 }\n");
        notes::ScratchFolder::write(scratch / "Web/reader.js", "window.mdr = {};\n");
        notes::ScratchFolder::write(scratch / "Web/highlight.min.js", "var hljs = {};\n");
        notes::ScratchFolder::write(scratch / "notes/a b#?.md", "# A\n");
        notes::ScratchFolder::write(scratch / "notes/img/pic.png", "\x89PNG\r\n\x1a\n");
        notes::ScratchFolder::write(scratch / "notes/plain", "no extension\n");
    }

    notes::ScratchFolder scratch;
    notes::LocalSchemeHandler handler{notes::WebResources(scratch / "Web")};
};

const Site& site() {
    static const Site made;
    return made;
}

std::string withRoot(std::string text, const std::string& root) {
    for (std::size_t at = text.find("{root}"); at != std::string::npos;
         at = text.find("{root}", at + root.size()))
        text.replace(at, 6, root);
    return text;
}

// True for a file outside the scratch folder that exists.
bool isElsewhere(const std::string& url, const fs::path& root) {
    std::optional<markdown::URL> file = notes::fileURLFromReaderURL(url);
    if (!file)
        return false;
    std::error_code error;
    fs::path normal = fs::absolute(file->filesystemPath(), error).lexically_normal();
    if (error || normal.native().starts_with(root.native() + "/"))
        return false;
    return fs::exists(fs::symlink_status(normal, error));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Site& here = site();
    const std::string url = withRoot(std::string(reinterpret_cast<const char*>(data), size),
                                     here.scratch.path().native());
    if (isElsewhere(url, here.scratch.path()))
        return 0;
    const notes::SchemeAnswer answer = here.handler.handleSchemeTask(url);
    const auto* response = std::get_if<notes::SchemeResponse>(&answer);
    if (response == nullptr)
        return 0;
    fuzz::check(response->url == url, "the response is for the requested URL");
    fuzz::check(response->statusCode == 200 && response->httpVersion == "HTTP/1.1",
                "a response is a plain 200");
    fuzz::check(response->headerFields.size() == 2 &&
                    response->headerFields[0].first == "Content-Type" &&
                    response->headerFields[1].first == "Content-Length",
                "a response has exactly its two header fields");
    fuzz::check(response->headerFields[1].second == std::to_string(response->body.size()),
                "the length names the body's size");
    return 0;
}
