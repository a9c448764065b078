#pragma once

#include "notes/runtime/ManualScheduler.hpp"
#include "reader/model/ReaderModel.hpp"
#include "tests/notes/ScratchFolder.hpp"
#include "tests/reader/FakePage.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

namespace reader {

/// A desktop that records what it is asked to do.
struct RecordingDesktop final : Desktop {
    void beep() override { ++beeps; }
    void openFile(const markdown::URL& file) override { openedFiles.push_back(file); }
    void openURL(const std::string& url) override { openedURLs.push_back(url); }
    void reveal(const markdown::URL& item) override { revealed.push_back(item); }
    void openWithOtherApplication(const markdown::URL& file) override {
        openedElsewhere.push_back(file);
    }
    bool isObsidianInstalled() override { return obsidianInstalled; }

    int beeps = 0;
    std::vector<markdown::URL> openedFiles, revealed, openedElsewhere;
    std::vector<std::string> openedURLs;
    bool obsidianInstalled = false;
};

/// Runs background jobs on the calling thread: at once, or, while held, when the test says.
struct HeldRunner final : BackgroundRunner {
    void run(Job job) override {
        if (hold)
            jobs.push_back(std::move(job));
        else
            job();
    }

    bool hold = false;
    std::vector<Job> jobs;
};

/// A model beside a scratch folder of notes, with a hand-driven clock, held background work, a
/// recording desktop and page, and a renderer that writes each line as a paragraph and takes
/// lines starting with "# " as headings.
struct ModelTest : ::testing::Test {
    ModelTest() { model.web.setWebView(page); }
    /// The body the renderer writes for a text of one line.
    static std::string paragraph(const std::string& line) { return "<p>" + line + "</p>"; }
    RenderedNote render(const std::string& text, const notes::RenderOptions& options) {
        renders.emplace_back(text, options);
        RenderedNote note;
        std::istringstream lines(text);
        for (std::string line; std::getline(lines, line); note.html += paragraph(line))
            if (line.starts_with("# "))
                note.headings.push_back({line.substr(2), 1, line.substr(2)});
        return note;
    }
    /// Runs the held background job started as the `at`-th of those still waiting, then what it
    /// posted.
    void finish(std::size_t at = 0) {
        takeAt(background.jobs, at)();
        settle();
    }
    void settle() { scheduler.runPosted(); }
    markdown::URL note(const std::string& name) const {
        return markdown::URL::fileURL(folder / name);
    }
    markdown::URL root() const { return markdown::URL::fileURL(folder.path()); }
    /// Writes the note, and the folders above it.
    void write(const std::string& name, const std::string& text) const {
        notes::ScratchFolder::write(folder / name, text);
    }
    /// Reports changes to the named items, as the folder's watcher does.
    void changed(const std::vector<std::pair<const char*, notes::FolderChange::Flags>>& changes) {
        std::vector<notes::FolderChange> batch;
        for (const auto& [name, flags] : changes)
            batch.push_back({(folder / name).native(), flags});
        model.handleFolderChanges(batch);
    }
    /// Reading, with no edit session left behind.
    bool reading() const { return *model.mode == ReaderModel::Mode::read && !*model.editSession; }

    notes::ScratchFolder folder;
    notes::ManualScheduler scheduler;
    HeldRunner background;
    RecordingDesktop desktop;
    std::vector<std::pair<std::string, notes::RenderOptions>> renders; // text and options
    std::vector<markdown::URL> recentFolders;
    std::shared_ptr<ReaderModel> owner =
        ReaderModel::create({scheduler, background, desktop,
                             [this](const std::string& text, const auto& options, const auto&,
                                    const auto&) { return render(text, options); },
                             [this](const auto& opened) { recentFolders.push_back(opened); }});
    ReaderModel& model = *owner;
    std::shared_ptr<FakePage> page = std::make_shared<FakePage>();
};

} // namespace reader
