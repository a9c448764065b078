#include "notes/vault/FolderSnapshot.hpp"

#include "tests/notes/ScratchFolder.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <fcntl.h>
#include <unistd.h>

namespace notes {
namespace {

using markdown::URL;

std::vector<std::string> names(const std::vector<FileNode>& nodes) {
    std::vector<std::string> result;
    std::ranges::transform(nodes, std::back_inserter(result), &FileNode::name);
    return result;
}

// Relative to the folder, sorted: the scan keeps the listing order, which the disk decides.
std::vector<std::string> relativePaths(const std::vector<URL>& urls,
                                       const std::filesystem::path& folder) {
    std::vector<std::string> paths;
    for (const URL& url : urls)
        paths.push_back(url.path().substr(folder.native().size() + 1));
    std::sort(paths.begin(), paths.end());
    return paths;
}

struct Scan {
    explicit Scan(const std::filesystem::path& folder, std::size_t limit = folderScanFileLimit)
        : tree(scanFolder(URL::fileURL(folder), allFiles, markdownFiles, limit)) {}
    std::vector<URL> allFiles, markdownFiles;
    std::vector<FileNode> tree;
};

TEST(FolderScan, ListsFoldersFirstThenNotesInFileBrowserOrder) {
    ScratchFolder notes;
    // Accents order names that are otherwise equal, against the order of their bytes here.
    for (const char* file : {"b.md", "A.md", "10.md", "2.md", "a10.md", "a9.md", "\u00e0.md",
                             "\u00e1.md", "notes/x.md", "10 days/x.md", "9 days/x.md"})
        notes.file(file);

    const Scan result(notes.path());

    EXPECT_EQ(names(result.tree),
              (std::vector<std::string>{"9 days", "10 days", "notes", "2", "10", "A", "\u00e1",
                                        "\u00e0", "a9", "a10", "b"}));
    EXPECT_EQ(
        result.tree[2],
        (FileNode{URL::fileURL(notes / "notes"), "notes",
                  std::vector<FileNode>{{URL::fileURL(notes / "notes/x.md"), "x", std::nullopt}}}));
}

TEST(FolderScan, EntersNoFurtherFolderOnceMoreFilesThanTheLimitWereMet) {
    ScratchFolder notes;
    for (const char* file :
         {"one/1.md", "one/2.md", "one/3.md", "two/4.md", "two/5.md", "two/6.md"})
        notes.file(file);

    // Whichever folder comes first is listed whole; the second only while the count is within.
    const Scan truncated(notes.path(), 2);
    EXPECT_EQ(truncated.tree.size(), 1u);
    EXPECT_EQ(truncated.allFiles.size(), 3u);

    EXPECT_EQ(names(Scan(notes.path(), 3).tree), (std::vector<std::string>{"one", "two"}));
    // Only a folder left out makes the snapshot say that the limit was reached.
    const URL folder = URL::fileURL(notes.path());
    EXPECT_EQ(std::pair(FolderSnapshot::scan(folder, 2).reachedFileLimit,
                        FolderSnapshot::scan(folder, 3).reachedFileLimit),
              std::pair(true, false));
}

TEST(FolderScan, ListsFoldersLargerThanOneReadOfTheirEntries) {
    ScratchFolder notes;
    const std::string stem(200, 'n');
    for (int i = 0; i < 300; ++i)
        notes.file(stem + std::to_string(i) + ".md");

    const Scan result(notes.path());

    EXPECT_EQ(result.tree.size(), 300u);
    EXPECT_EQ(result.markdownFiles.size(), 300u);
}

// Links are taken as files by their own name; a folder that cannot be listed gives nothing.
TEST(FolderScan, ShowsVisibleNotesAndKeepsEveryVisibleFileForLinks) {
    ScratchFolder notes;
    ScratchFolder elsewhere;
    elsewhere.file("inside.md");
    for (const char* file : {"Plan.MD", "archive.tar.mkd", "draft.txt", "images/photo.png",
                             ".hidden.md", "deep/.git/x.md", "node_modules/pkg/readme.md",
                             "deep/er/build/x.md", "deep/er/kept.md", "Build/kept.md"})
        notes.file(file);
    std::filesystem::create_symlink(elsewhere.path(), notes / "linked folder");
    std::filesystem::create_symlink(elsewhere / "inside.md", notes / "Alias.md");
    std::filesystem::create_symlink(elsewhere / "missing.md", notes / "Gone.md");
    std::filesystem::create_symlink(notes.path(), notes / "loop");
    // A path too long to open: permissions do not stop root, who runs the tests.
    std::filesystem::create_directories(notes / "m");
    int folder = ::open((notes / "m").c_str(), O_DIRECTORY | O_RDONLY);
    const std::string name(200, 'n');
    for (std::size_t length = 0; folder >= 0 && length <= PATH_MAX; length += name.size() + 1) {
        ::mkdirat(folder, name.c_str(), 0755);
        int next = ::openat(folder, name.c_str(), O_DIRECTORY | O_RDONLY);
        ::close(folder);
        folder = next;
    }
    ASSERT_GE(folder, 0);
    ::close(::openat(folder, "lost.md", O_CREAT | O_WRONLY, 0644));
    ::close(folder);

    const Scan result(notes.path());

    EXPECT_EQ(names(result.tree),
              (std::vector<std::string>{"Build", "deep", "Alias", "archive.tar", "Gone", "Plan"}));
    EXPECT_EQ(relativePaths(result.markdownFiles, notes.path()),
              (std::vector<std::string>{"Alias.md", "Build/kept.md", "Gone.md", "Plan.MD",
                                        "archive.tar.mkd", "deep/er/kept.md"}));
    EXPECT_EQ(relativePaths(result.allFiles, notes.path()),
              (std::vector<std::string>{"Alias.md", "Build/kept.md", "Gone.md", "Plan.MD",
                                        "archive.tar.mkd", "deep/er/kept.md", "draft.txt",
                                        "images/photo.png", "linked folder", "loop"}));
    EXPECT_TRUE(Scan(notes / "no such folder").tree.empty());
}

} // namespace
} // namespace notes
