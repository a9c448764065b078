#pragma once

#include "notes/ManualScheduler.hpp"
#include "reader/ReaderModel.hpp"
#include "tests/notes/ScratchFolder.hpp"

#include <gtest/gtest.h>

#include <cstddef>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace reader {

/// A desktop that records what it is asked to do.
class RecordingDesktop final : public Desktop {
public:
    void beep() override { ++beeps; }
    void openFile(const markdown::URL& file) override { openedFiles.push_back(file); }
    void openURL(const std::string& url) override { openedURLs.push_back(url); }
    void reveal(const markdown::URL& item) override { revealed.push_back(item); }
    void openWithOtherApplication(const markdown::URL& file) override {
        openedElsewhere.push_back(file);
    }
    bool isObsidianInstalled() override {
        ++obsidianQuestions;
        return obsidianInstalled;
    }

    int beeps = 0;
    std::vector<markdown::URL> openedFiles;
    std::vector<std::string> openedURLs;
    std::vector<markdown::URL> revealed;
    std::vector<markdown::URL> openedElsewhere;
    bool obsidianInstalled = false;
    int obsidianQuestions = 0;
};

/// Runs background jobs on the calling thread: at once, or, while held, when the test says.
class HeldRunner final : public BackgroundRunner {
public:
    void run(Job job) override {
        if (hold)
            jobs.push_back(std::move(job));
        else
            job();
    }
    /// Runs the job started as the `at`-th of those still waiting.
    void finish(std::size_t at) {
        Job job = std::move(jobs.at(at));
        jobs.erase(jobs.begin() + static_cast<std::ptrdiff_t>(at));
        job();
    }

    bool hold = false;
    std::vector<Job> jobs;
};

/// One call of the renderer.
struct RenderCall {
    std::string text;
    notes::RenderOptions options;
    markdown::URL file;
};

/// A model with a hand-driven clock, held background work, a recording desktop and a renderer
/// that writes each line as a paragraph and takes lines starting with "# " as headings.
struct ModelHarness {
    ModelHarness() {
        model = ReaderModel::create({
            scheduler,
            background,
            desktop,
            [this](const std::string& text, const notes::RenderOptions& options,
                   const notes::LinkResolving&, const markdown::URL& file) {
                renders.push_back({text, options, file});
                RenderedNote note;
                std::istringstream lines(text);
                for (std::string line; std::getline(lines, line);) {
                    if (line.starts_with("# "))
                        note.headings.push_back({line.substr(2), 1, line.substr(2)});
                    note.html += "<p>" + line + "</p>";
                }
                return note;
            },
            [this](const markdown::URL& folder) { recentFolders.push_back(folder); },
        });
    }

    notes::ManualScheduler scheduler;
    HeldRunner background;
    RecordingDesktop desktop;
    std::vector<RenderCall> renders;
    std::vector<markdown::URL> recentFolders;
    std::shared_ptr<ReaderModel> model;
};

/// The body the harness's renderer writes for a text of one line.
inline std::string paragraph(const std::string& line) {
    return "<p>" + line + "</p>";
}

/// Counts the notifications of one observed field.
template <typename Field> std::shared_ptr<int> countNotifications(Field& field) {
    auto count = std::make_shared<int>(0);
    field.connect([count] { ++*count; });
    return count;
}

/// A harnessed model beside a scratch folder of notes.
struct ModelTest : ::testing::Test {
    markdown::URL note(const std::string& name) const {
        return markdown::URL::fileURL(folder / name);
    }
    markdown::URL root() const { return markdown::URL::fileURL(folder.path()); }
    void write(const std::string& name, const std::string& text) const {
        notes::ScratchFolder::write(folder / name, text);
    }

    notes::ScratchFolder folder;
    ModelHarness harness;
    ReaderModel& model = *harness.model;
};

} // namespace reader
