#include "notes/LocalSchemeHandler.hpp"
#include "notes/ReaderURL.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace notes {
namespace {

namespace fs = std::filesystem;
using Headers = std::vector<std::pair<std::string, std::string>>;

class TemporaryFolder {
public:
    TemporaryFolder() {
        std::string pattern = (fs::temp_directory_path() / "lumenleaf-scheme-XXXXXX").native();
        path = ::mkdtemp(pattern.data());
    }
    ~TemporaryFolder() {
        std::error_code error;
        fs::remove_all(path, error);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    fs::path path;
};

void writeFile(const fs::path& path, std::string_view bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

Headers headersOf(const SchemeAnswer& answer) {
    auto* response = std::get_if<SchemeResponse>(&answer);
    return response ? response->headerFields : Headers{{"failed", ""}};
}

class LocalSchemeHandlerTest : public testing::Test {
protected:
    LocalSchemeHandlerTest() {
        writeFile(web / "reader.css", "body { margin: 0 }\n");
        writeFile(web / "reader.js", "mdr = {};");
        fs::create_directories(web / "fonts");
        writeFile(folder.path / "secret.txt", "outside the resources");
    }

    static std::string local(const fs::path& path) {
        return readerURL(markdown::URL::fileURL(path));
    }

    TemporaryFolder folder;
    fs::path web = folder.path / "Web";
    fs::path notes = folder.path / "My Notes";
    LocalSchemeHandler handler{WebResources(web)};
};

TEST_F(LocalSchemeHandlerTest, AppHostServesResourcesByLastPathSegment) {
    EXPECT_EQ(handler.handleSchemeTask("mdreader://app/reader.css"),
              (SchemeAnswer{SchemeResponse{
                  "mdreader://app/reader.css",
                  200,
                  "HTTP/1.1",
                  {{"Content-Type", "text/css"}, {"Content-Length", "19"}},
                  "body { margin: 0 }\n",
              }}));
    const Headers script{{"Content-Type", "application/javascript"}, {"Content-Length", "9"}};
    EXPECT_EQ(headersOf(handler.handleSchemeTask("mdreader://app/x/y/reader.js")), script);
    EXPECT_EQ(headersOf(handler.handleSchemeTask("mdreader://app/reader%2Ejs?v=2#top")), script);
}

TEST_F(LocalSchemeHandlerTest, AppHostNamesNothingOutsideItsFolder) {
    const std::string_view refused[] = {
        "mdreader://app/secret.txt",
        "mdreader://app/..%2Fsecret.txt",
        "mdreader://app/fonts%2F..%2F..%2Fsecret.txt",
        "mdreader://app/%2E%2E",
        "mdreader://app/",
        "mdreader://app",
        "mdreader://app/fonts",
        "mdreader://app/reader.css%00.png",
        "mdreader://app/missing.js",
    };
    for (std::string_view url : refused)
        EXPECT_EQ(handler.handleSchemeTask(url), SchemeAnswer{SchemeFailure::fileDoesNotExist})
            << url;
    EXPECT_EQ(LocalSchemeHandler(WebResources({})).handleSchemeTask("mdreader://app/reader.css"),
              SchemeAnswer{SchemeFailure::fileDoesNotExist});
}

TEST_F(LocalSchemeHandlerTest, LocalHostServesFilesWithTheTypeOfTheirExtension) {
    const std::string png("\x89PNG\r\n\x1a\n\0\0", 10);
    writeFile(notes / "pic.png", png);
    std::string pic = local(notes / "pic.png");
    EXPECT_TRUE(pic.ends_with("/My%20Notes/pic.png"));
    EXPECT_EQ(handler.handleSchemeTask(pic),
              (SchemeAnswer{SchemeResponse{
                  pic,
                  200,
                  "HTTP/1.1",
                  {{"Content-Type", "image/png"}, {"Content-Length", "10"}},
                  png,
              }}));

    struct Case {
        std::string name;
        std::string type;
    };
    const Case cases[] = {
        {"README", "application/octet-stream"},
        {"a#b?.md", "text/markdown"},
        {"shot.PNG", "image/png"},
        {"data.zzqx", "application/octet-stream"},
    };
    for (const auto& c : cases) {
        writeFile(notes / c.name, "12345");
        EXPECT_EQ(headersOf(handler.handleSchemeTask(local(notes / c.name))),
                  (Headers{{"Content-Type", c.type}, {"Content-Length", "5"}}))
            << c.name;
    }
}

TEST_F(LocalSchemeHandlerTest, RefusesAnythingButARegularFileWithinTheSizeCap) {
    writeFile(notes / "pic.png", "png");
    ASSERT_EQ(::mkfifo((notes / "pipe").c_str(), 0600), 0);
    writeFile(notes / "huge.png", "");
    fs::resize_file(notes / "huge.png", LocalSchemeHandler::maximumFileSize + 1);
    const std::string path =
        local(notes / "pic.png").substr(std::string("mdreader://local").size());

    const std::string refused[] = {
        local(notes),
        local(notes / "missing.png"),
        local(notes / "pipe"),
        local(notes / "huge.png"),
        "mdreader://local/dev/zero",
        "mdreader://local/dev/null",
        "mdreader://Local" + path,
        "mdreader://other" + path,
        "mdreader://" + path,
    };
    for (const auto& url : refused)
        EXPECT_EQ(handler.handleSchemeTask(url), SchemeAnswer{SchemeFailure::fileDoesNotExist})
            << url;
}

TEST(WebResources, FoundByOverrideOrBesideTheExecutable) {
    TemporaryFolder prefix;
    EXPECT_EQ(WebResources::installedFolder(prefix.path / "bin/lumenleaf"), std::nullopt);
    fs::create_directories(prefix.path / "bin/share/lumenleaf/Web");
    EXPECT_EQ(WebResources::installedFolder(prefix.path / "bin/lumenleaf"),
              prefix.path / "bin/share/lumenleaf/Web");
    fs::create_directories(prefix.path / "share/lumenleaf/Web");
    EXPECT_EQ(WebResources::installedFolder(prefix.path / "bin/lumenleaf"),
              prefix.path / "share/lumenleaf/Web");

    const char* saved = std::getenv("LUMENLEAF_WEB_DIR");
    std::string previous = saved ? saved : "";
    ::setenv("LUMENLEAF_WEB_DIR", prefix.path.c_str(), 1);
    EXPECT_EQ(WebResources::located().folder(), prefix.path);
    if (saved)
        ::setenv("LUMENLEAF_WEB_DIR", previous.c_str(), 1);
    else
        ::unsetenv("LUMENLEAF_WEB_DIR");
}

} // namespace
} // namespace notes
