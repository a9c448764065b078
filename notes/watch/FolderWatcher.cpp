#include "notes/watch/FolderWatcher.hpp"

#include "notes/runtime/MainLoopScheduler.hpp"
#include "notes/watch/ChangeCoalescer.hpp"
#include "notes/watch/InotifyTree.hpp"
#include "notes/watch/PollPace.hpp"

#include <glib-unix.h>
#include <glib.h>

namespace notes {

namespace {

struct SourceDeleter {
    void operator()(GSource* source) const {
        g_source_destroy(source);
        g_source_unref(source);
    }
};

} // namespace

struct FolderWatcher::Stream {
    // Destroyed bottom up: the source first, so no read starts on a closed descriptor, and the
    // scheduler last, after the coalescer has cancelled its delivery.
    MainLoopScheduler scheduler;
    ChangeCoalescer coalescer;
    InotifyTree tree;
    std::unique_ptr<GSource, SourceDeleter> source;
    Scheduler::TaskId pollTimer = 0;
    PollPace pollPace;

    Stream(const std::string& path, OnChange onChange)
        : coalescer(scheduler, latency, std::move(onChange)), tree(path) {
        if (tree.fd() < 0)
            return;
        source.reset(g_unix_fd_source_new(tree.fd(), G_IO_IN));
        g_source_set_callback(source.get(), G_SOURCE_FUNC(onReadable), this, nullptr);
        g_source_attach(source.get(), g_main_context_get_thread_default());
        // Folders that could not be watched from the start ask for a full scan now, not with
        // the first event. Dropped when the watcher is gone first.
        scheduler.post([this] { onReadable(0, G_IO_IN, this); });
    }

    static gboolean onReadable(gint, GIOCondition, gpointer data) {
        auto* self = static_cast<Stream*>(data);
        std::vector<Change> changes = self->tree.readChanges();
        self->schedulePoll();
        // Last use of `self`: the delivery may destroy the watcher.
        self->coalescer.add(changes);
        return G_SOURCE_CONTINUE;
    }

    // Cancelled with the scheduler when the watcher goes.
    void schedulePoll() {
        if (pollTimer != 0 || !tree.isPolling())
            return;
        pollTimer = scheduler.runAfter(pollPace.pause(), [this] {
            pollTimer = 0;
            std::vector<Change> changes;
            pollPace.measure([&] { changes = tree.poll(); });
            schedulePoll();
            // Last use of `this`, as above.
            coalescer.add(changes);
        });
    }
};

FolderWatcher::FolderWatcher(const std::string& path, OnChange onChange)
    : stream(std::make_unique<Stream>(path, std::move(onChange))) {}

FolderWatcher::~FolderWatcher() = default;

void FolderWatcher::followFile(std::optional<std::string> path) {
    stream->tree.followFile(std::move(path));
}

} // namespace notes
