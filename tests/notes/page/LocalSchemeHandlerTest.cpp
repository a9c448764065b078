#include "notes/page/LocalSchemeHandler.hpp"
#include "notes/text/ReaderURL.hpp"

#include "tests/notes/ScratchFolder.hpp"

#include <gtest/gtest.h>

namespace notes {
namespace {

namespace fs = std::filesystem;

// The answer for a file served whole.
SchemeAnswer served(const std::string& url, const std::string& type, const std::string& body) {
    return SchemeResponse{url,
                          200,
                          "HTTP/1.1",
                          {{"Content-Type", type}, {"Content-Length", std::to_string(body.size())}},
                          body};
}

class LocalSchemeHandlerTest : public testing::Test {
protected:
    LocalSchemeHandlerTest() {
        ScratchFolder::write(web / "reader.css", "body { margin: 0 }\n");
        ScratchFolder::write(web / "reader.js", "mdr = {};");
        fs::create_directories(web / "fonts");
        ScratchFolder::write(folder / "secret.txt", "outside the resources");
    }

    static std::string local(const fs::path& path) {
        return readerURL(markdown::URL::fileURL(path));
    }

    ScratchFolder folder;
    fs::path web = folder / "Web";
    fs::path notes = folder / "My Notes";
    LocalSchemeHandler handler{WebResources(web)};
};

// The page's files by their last path segment, a note's files by their path.
TEST_F(LocalSchemeHandlerTest, ServesFilesWithTheTypeOfTheirExtension) {
    const std::string png("\x89PNG\r\n\x1a\n\0\0", 10);
    ScratchFolder::write(notes / "pic.png", png);
    ScratchFolder::write(notes / "a#b?.zzqx", "12345");
    const std::string css = "mdreader://app/reader.css",
                      js = "mdreader://app/x/y/reader%2Ejs?v=2#top";
    const std::string pic = local(notes / "pic.png"), data = local(notes / "a#b?.zzqx");
    EXPECT_EQ(handler.handleSchemeTask(css), served(css, "text/css", "body { margin: 0 }\n"));
    EXPECT_EQ(handler.handleSchemeTask(js), served(js, "application/javascript", "mdr = {};"));
    EXPECT_EQ(handler.handleSchemeTask(pic), served(pic, "image/png", png));
    EXPECT_EQ(handler.handleSchemeTask(data), served(data, "application/octet-stream", "12345"));
}

// Neither host names anything outside its files, nor anything but a regular file within the cap.
TEST_F(LocalSchemeHandlerTest, RefusesAnythingElse) {
    ScratchFolder::write(notes / "pic.png", "png");
    ASSERT_EQ(::mkfifo((notes / "pipe").c_str(), 0600), 0);
    ScratchFolder::write(notes / "huge.png", "");
    fs::resize_file(notes / "huge.png", LocalSchemeHandler::maximumFileSize + 1);
    const std::string path =
        local(notes / "pic.png").substr(std::string("mdreader://local").size());
    const std::string refused[] = {
        "mdreader://app/secret.txt",  "mdreader://app/..%2Fsecret.txt",
        "mdreader://app/%2E%2E",      "mdreader://app/",
        "mdreader://app/fonts",       "mdreader://app/reader.css%00.png",
        "mdreader://app/missing.js",  local(notes),
        local(notes / "missing.png"), local(notes / "pipe"),
        local(notes / "huge.png"),    "mdreader://local/dev/zero",
        "mdreader://Local" + path,    "mdreader://" + path,
    };
    for (const auto& url : refused)
        EXPECT_EQ(handler.handleSchemeTask(url), SchemeAnswer{SchemeFailure::fileDoesNotExist})
            << url;
    EXPECT_EQ(LocalSchemeHandler(WebResources({})).handleSchemeTask("mdreader://app/reader.css"),
              SchemeAnswer{SchemeFailure::fileDoesNotExist});
}

} // namespace
} // namespace notes
