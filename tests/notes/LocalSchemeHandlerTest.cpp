#include "notes/LocalSchemeHandler.hpp"
#include "notes/ReaderURL.hpp"

#include "ScratchFolder.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>

namespace notes {
namespace {

namespace fs = std::filesystem;

void writeFile(const fs::path& path, std::string_view bytes) {
    fs::create_directories(path.parent_path());
    ScratchFolder::write(path, bytes);
}

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
        writeFile(web / "reader.css", "body { margin: 0 }\n");
        writeFile(web / "reader.js", "mdr = {};");
        fs::create_directories(web / "fonts");
        writeFile(folder / "secret.txt", "outside the resources");
    }

    static std::string local(const fs::path& path) {
        return readerURL(markdown::URL::fileURL(path));
    }

    ScratchFolder folder;
    fs::path web = folder / "Web";
    fs::path notes = folder / "My Notes";
    LocalSchemeHandler handler{WebResources(web)};
};

TEST_F(LocalSchemeHandlerTest, AppHostServesResourcesByLastPathSegment) {
    const std::string css = "mdreader://app/reader.css";
    EXPECT_EQ(handler.handleSchemeTask(css), served(css, "text/css", "body { margin: 0 }\n"));
    for (std::string url : {"mdreader://app/x/y/reader.js", "mdreader://app/reader%2Ejs?v=2#top"})
        EXPECT_EQ(handler.handleSchemeTask(url),
                  served(url, "application/javascript", "mdr = {};"));
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
    EXPECT_EQ(handler.handleSchemeTask(pic), served(pic, "image/png", png));

    const std::pair<const char*, const char*> cases[] = {
        {"README", "application/octet-stream"},
        {"a#b?.md", "text/markdown"},
        {"shot.PNG", "image/png"},
        {"data.zzqx", "application/octet-stream"},
    };
    for (const auto& [name, type] : cases) {
        writeFile(notes / name, "12345");
        const std::string url = local(notes / name);
        EXPECT_EQ(handler.handleSchemeTask(url), served(url, type, "12345")) << name;
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
    ScratchFolder scratch;
    const fs::path& prefix = scratch.path();
    EXPECT_EQ(WebResources::installedFolder(prefix / "bin/lumenleaf"), std::nullopt);
    fs::create_directories(prefix / "bin/share/lumenleaf/Web");
    EXPECT_EQ(WebResources::installedFolder(prefix / "bin/lumenleaf"),
              prefix / "bin/share/lumenleaf/Web");
    fs::create_directories(prefix / "share/lumenleaf/Web");
    EXPECT_EQ(WebResources::installedFolder(prefix / "bin/lumenleaf"),
              prefix / "share/lumenleaf/Web");

    const char* saved = std::getenv("LUMENLEAF_WEB_DIR");
    std::string previous = saved ? saved : "";
    ::setenv("LUMENLEAF_WEB_DIR", prefix.c_str(), 1);
    EXPECT_EQ(WebResources::located().folder(), prefix);
    if (saved)
        ::setenv("LUMENLEAF_WEB_DIR", previous.c_str(), 1);
    else
        ::unsetenv("LUMENLEAF_WEB_DIR");
}

} // namespace
} // namespace notes
