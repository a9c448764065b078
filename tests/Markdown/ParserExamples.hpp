#pragma once

// The Markdown texts the printer's checks run over: the examples of the parser's own test files
// (CommonMark's, the extensions' and the regressions') and the sample notes of examples/.

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace markdown::testing {

struct Example {
    std::string name;
    std::string markdown;
};

inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream contents;
    contents << file.rdbuf();
    return contents.str();
}

// The examples of one of the parser's test files: the Markdown between an opening "```` example"
// line and the "." line, "→" standing for a tab.
inline std::vector<Example> parserExamples(const std::string& fileName) {
    const std::string fence(32, '`');
    std::istringstream lines(
        readFile(std::filesystem::path(LUMENLEAF_CMARK_GFM_TEST_DIR) / fileName));
    std::vector<Example> examples;
    std::string line;
    std::optional<std::string> markdown;
    bool inMarkdown = false;
    while (std::getline(lines, line)) {
        if (line.starts_with(fence + " example")) {
            markdown.emplace();
            inMarkdown = true;
        } else if (markdown && inMarkdown && line == ".") {
            inMarkdown = false;
        } else if (markdown && line == fence) {
            examples.push_back({fileName + " #" + std::to_string(examples.size() + 1), *markdown});
            markdown.reset();
        } else if (markdown && inMarkdown) {
            for (std::size_t tab; (tab = line.find("\u2192")) != std::string::npos;)
                line.replace(tab, 3, "\t");
            *markdown += line + "\n";
        }
    }
    return examples;
}

// The Markdown files under `folder`, named by their file names.
inline std::vector<Example> markdownFiles(const std::filesystem::path& folder) {
    std::vector<Example> files;
    std::error_code error;
    for (auto entry = std::filesystem::recursive_directory_iterator(folder, error);
         !error && entry != std::filesystem::recursive_directory_iterator(); entry.increment(error))
        if (entry->path().extension() == ".md" && entry->is_regular_file(error))
            files.push_back({entry->path().string(), readFile(entry->path())});
    return files;
}

// Every example the parser's files hold, then the sample notes; a file not found cannot pass
// for one that prints.
inline std::vector<Example> allExamples() {
    std::vector<Example> examples;
    for (const auto& [file, count] : {std::pair{LUMENLEAF_COMMONMARK_EXAMPLES, 672},
                                      {"extensions.txt", 30},
                                      {"regression.txt", 26}}) {
        auto some = parserExamples(file);
        EXPECT_EQ(some.size(), static_cast<std::size_t>(count)) << file;
        examples.insert(examples.end(), some.begin(), some.end());
    }
    const std::size_t notesFrom = examples.size();
    for (Example& note : markdownFiles(LUMENLEAF_EXAMPLES_DIR))
        examples.push_back(
            {std::filesystem::path(note.name).filename().string(), std::move(note.markdown)});
    EXPECT_GT(examples.size(), notesFrom);
    return examples;
}

} // namespace markdown::testing
