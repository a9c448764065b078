#include "notes/ReadFile.hpp"

#include "ScratchFolder.hpp"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace std::string_literals;

namespace notes {
namespace {

TEST(ReadFile, ReadsRegularFilesWholeAndRefusesEverythingElse) {
    ScratchFolder folder;
    const std::string big(200 * 1024, 'x'); // more than one read's worth
    ScratchFolder::write(folder / "note.md", big + "\0end"s);
    ::mkfifo((folder / "pipe.md").c_str(), 0644); // must not hang waiting for a writer
    std::filesystem::create_directory(folder / "dir.md");

    auto read = readFile(folder / "note.md");
    ASSERT_TRUE(std::holds_alternative<std::string>(read));
    EXPECT_EQ(std::get<std::string>(read), big + "\0end"s);

    const std::pair<const char*, std::errc> refused[] = {
        {"missing.md", std::errc::no_such_file_or_directory},
        {"pipe.md", std::errc::invalid_argument},
        {"dir.md", std::errc::is_a_directory},
    };
    for (const auto& [name, expected] : refused) {
        SCOPED_TRACE(name);
        auto result = readFile(folder / name);
        ASSERT_TRUE(std::holds_alternative<std::error_code>(result));
        EXPECT_EQ(std::get<std::error_code>(result), expected);
    }
}

} // namespace
} // namespace notes
