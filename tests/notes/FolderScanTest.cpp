#include "notes/FolderSnapshot.hpp"

#include "TemporaryNoteFolder.hpp"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <string>
#include <thread>
#include <vector>

namespace notes {
namespace {

using markdown::URL;
using testing::TemporaryNoteFolder;

std::vector<std::string> names(const std::vector<FileNode>& nodes) {
    std::vector<std::string> result;
    for (const FileNode& node : nodes)
        result.push_back(node.name);
    return result;
}

std::vector<std::string> sortedPaths(const std::vector<URL>& urls) {
    std::vector<std::string> paths;
    for (const URL& url : urls)
        paths.push_back(url.path());
    std::sort(paths.begin(), paths.end());
    return paths;
}

struct Scan {
    std::vector<FileNode> tree;
    std::vector<URL> allFiles;
    std::vector<URL> markdownFiles;
};

Scan scan(const std::string& folder, std::size_t fileLimit = folderScanFileLimit) {
    Scan result;
    result.tree =
        scanFolder(URL::fileURL(folder), result.allFiles, result.markdownFiles, fileLimit);
    return result;
}

TEST(FolderScan, ListsFoldersFirstThenNotesInFileBrowserOrder) {
    TemporaryNoteFolder notes;
    for (const char* file : {"b.md", "A.md", "10.md", "2.md", "B2.md", "a10.md", "a9.md",
                             "notes/x.md", "Alpha/x.md", "10 days/x.md", "9 days/x.md"})
        notes.file(file);

    Scan result = scan(notes.root());

    EXPECT_EQ(names(result.tree),
              (std::vector<std::string>{"9 days", "10 days", "Alpha", "notes", "2", "10", "A", "a9",
                                        "a10", "b", "B2"}));
    const FileNode expectedNotes{
        URL::fileURL(notes.path("notes")), "notes",
        std::vector<FileNode>{{URL::fileURL(notes.path("notes/x.md")), "x", std::nullopt}}};
    EXPECT_EQ(result.tree[3], expectedNotes);
    EXPECT_EQ(result.tree[4], (FileNode{URL::fileURL(notes.path("2.md")), "2", std::nullopt}));
    EXPECT_EQ(result.allFiles.size(), 11u);
}

TEST(FolderScan, RecognisesNotesByExtensionInAnyCaseAndKeepsOtherFilesForLinks) {
    TemporaryNoteFolder notes;
    for (const char* file : {"Plan.MD", "Long.markdown", "Old.mkd", "Older.mdown", "draft.txt",
                             "archive.tar.md", "images/photo.png", "images/diagram.svg"})
        notes.file(file);

    Scan result = scan(notes.root());

    EXPECT_EQ(names(result.tree),
              (std::vector<std::string>{"archive.tar", "Long", "Old", "Older", "Plan"}));
    EXPECT_EQ(sortedPaths(result.markdownFiles),
              (std::vector<std::string>{notes.path("Long.markdown"), notes.path("Old.mkd"),
                                        notes.path("Older.mdown"), notes.path("Plan.MD"),
                                        notes.path("archive.tar.md")}));
    EXPECT_EQ(sortedPaths(result.allFiles),
              (std::vector<std::string>{
                  notes.path("Long.markdown"), notes.path("Old.mkd"), notes.path("Older.mdown"),
                  notes.path("Plan.MD"), notes.path("archive.tar.md"), notes.path("draft.txt"),
                  notes.path("images/diagram.svg"), notes.path("images/photo.png")}));
}

TEST(FolderScan, LeavesOutHiddenEntriesAndBuildToolFoldersAtAnyDepth) {
    TemporaryNoteFolder notes;
    for (const char* file :
         {".hidden.md", ".obsidian/workspace.md", "build/out.md", "node_modules/pkg/readme.md",
          "vendor/lib.md", "DerivedData/x.md", "Pods/x.md", "deep/er/build/x.md", "deep/er/kept.md",
          "Build/kept.md", "deep/.git/x.md", "empty/only.txt"})
        notes.file(file);
    notes.folder("nothing");

    Scan result = scan(notes.root());

    EXPECT_EQ(names(result.tree), (std::vector<std::string>{"Build", "deep"}));
    EXPECT_EQ(names(*result.tree[1].children), (std::vector<std::string>{"er"}));
    EXPECT_EQ(names(*(*result.tree[1].children)[0].children), (std::vector<std::string>{"kept"}));
    EXPECT_EQ(sortedPaths(result.allFiles),
              (std::vector<std::string>{notes.path("Build/kept.md"), notes.path("deep/er/kept.md"),
                                        notes.path("empty/only.txt")}));
}

TEST(FolderScan, TakesSymbolicLinksAsFilesByTheirOwnName) {
    TemporaryNoteFolder notes;
    TemporaryNoteFolder elsewhere;
    elsewhere.file("inside.md");
    notes.file("real.md");
    notes.link("linked folder", elsewhere.root());
    notes.link("Alias.md", elsewhere.path("inside.md"));
    notes.link("Folder alias.md", elsewhere.root());
    notes.link("Gone.md", elsewhere.path("missing.md"));
    notes.link("loop", notes.root());

    Scan result = scan(notes.root());

    EXPECT_EQ(names(result.tree),
              (std::vector<std::string>{"Alias", "Folder alias", "Gone", "real"}));
    EXPECT_EQ(sortedPaths(result.allFiles),
              (std::vector<std::string>{notes.path("Alias.md"), notes.path("Folder alias.md"),
                                        notes.path("Gone.md"), notes.path("linked folder"),
                                        notes.path("loop"), notes.path("real.md")}));
}

// Makes folders below the given one until their path is too long to open, and puts a note at the
// bottom: a folder that exists but cannot be listed, even by the superuser.
void makeUnlistableFolder(const std::string& top) {
    std::filesystem::create_directories(top);
    int folder = ::open(top.c_str(), O_DIRECTORY | O_RDONLY);
    ASSERT_GE(folder, 0);
    const std::string name(200, 'n');
    for (std::size_t length = top.size(); length <= PATH_MAX; length += name.size() + 1) {
        ASSERT_EQ(::mkdirat(folder, name.c_str(), 0755), 0);
        int next = ::openat(folder, name.c_str(), O_DIRECTORY | O_RDONLY);
        ::close(folder);
        ASSERT_GE(next, 0);
        folder = next;
    }
    int note = ::openat(folder, "lost.md", O_CREAT | O_WRONLY, 0644);
    ::close(folder);
    ASSERT_GE(note, 0);
    ::close(note);
}

TEST(FolderScan, SkipsFoldersThatCannotBeListedAndGoesOnWithTheRest) {
    TemporaryNoteFolder notes;
    notes.file("a/first.md");
    notes.file("z/last.md");
    makeUnlistableFolder(notes.path("m"));

    Scan result = scan(notes.root());

    EXPECT_EQ(names(result.tree), (std::vector<std::string>{"a", "z"}));
    EXPECT_EQ(sortedPaths(result.allFiles),
              (std::vector<std::string>{notes.path("a/first.md"), notes.path("z/last.md")}));

    Scan missing = scan(notes.path("no such folder"));
    EXPECT_TRUE(missing.tree.empty());
    EXPECT_TRUE(missing.allFiles.empty());
}

TEST(FolderScan, EntersNoFurtherFolderOnceMoreFilesThanTheLimitWereMet) {
    TemporaryNoteFolder notes;
    for (const char* file :
         {"one/1.md", "one/2.md", "one/3.md", "two/4.md", "two/5.md", "two/6.md"})
        notes.file(file);

    // Whichever folder is listed first is finished; the second is entered only while the count
    // is still within the limit.
    Scan truncated = scan(notes.root(), 2);
    ASSERT_EQ(truncated.tree.size(), 1u);
    EXPECT_EQ(truncated.tree[0].children->size(), 3u);
    EXPECT_EQ(truncated.allFiles.size(), 3u);
    EXPECT_EQ(truncated.markdownFiles.size(), 3u);

    Scan atLimit = scan(notes.root(), 3);
    EXPECT_EQ(names(atLimit.tree), (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(atLimit.allFiles.size(), 6u);
}

TEST(FolderSnapshot, IndexesEveryFileMetUnderTheFolder) {
    TemporaryNoteFolder notes;
    notes.file("Home.md");
    notes.file("projects/Plan.md");
    notes.file("assets/diagram.png");

    FolderSnapshot snapshot = FolderSnapshot::scan(URL::fileURL(notes.root() + "/"));

    EXPECT_EQ(names(snapshot.tree), (std::vector<std::string>{"projects", "Home"}));
    EXPECT_EQ(sortedPaths(snapshot.markdownFiles),
              (std::vector<std::string>{notes.path("Home.md"), notes.path("projects/Plan.md")}));
    EXPECT_EQ(snapshot.index.root(), URL::fileURL(notes.root()));
    EXPECT_EQ(snapshot.index.resolve("projects/plan", std::nullopt),
              URL::fileURL(notes.path("projects/Plan.md")));
    EXPECT_EQ(snapshot.index.resolve("diagram.png", std::nullopt),
              URL::fileURL(notes.path("assets/diagram.png")));
}

TEST(FolderSnapshot, ScansOnSeveralThreadsAtOnceAlike) {
    TemporaryNoteFolder notes;
    for (const char* file : {"b/Zeta.md", "b/alpha 10.md", "b/alpha 9.md", "a/x.md", "Top.md"})
        notes.file(file);
    const URL folder = URL::fileURL(notes.root());
    const std::vector<FileNode> expected = FolderSnapshot::scan(folder).tree;

    std::vector<std::vector<FileNode>> trees(4);
    {
        std::vector<std::jthread> threads;
        for (auto& tree : trees)
            threads.emplace_back([&tree, &folder] { tree = FolderSnapshot::scan(folder).tree; });
    }
    for (const auto& tree : trees) {
        EXPECT_EQ(tree, expected);
        EXPECT_EQ(std::hash<FileNode>{}(tree[1]), std::hash<FileNode>{}(expected[1]));
    }
    EXPECT_EQ(names(*expected[1].children),
              (std::vector<std::string>{"alpha 9", "alpha 10", "Zeta"}));

    FileNode renamed = expected[1];
    (*renamed.children)[0].name = "alpha 8";
    EXPECT_NE(renamed, expected[1]);
    EXPECT_NE(std::hash<FileNode>{}(renamed), std::hash<FileNode>{}(expected[1]));
}

} // namespace
} // namespace notes
