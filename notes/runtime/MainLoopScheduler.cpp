#include "notes/runtime/MainLoopScheduler.hpp"

#include <glib.h>

namespace notes {

struct MainLoopScheduler::State {
    GMainContext* context = nullptr;
    std::mutex mutex;
    std::map<TaskId, guint> sources; // delayed task -> GLib source id
    TaskId lastId = 0;
    bool alive = true;
};

namespace {

struct Call {
    std::shared_ptr<MainLoopScheduler::State> state;
    Scheduler::TaskId id = 0; // 0 for posted tasks
    Scheduler::Task task;
};

gboolean runCall(gpointer data) {
    auto* call = static_cast<Call*>(data);
    bool run = false;
    {
        std::lock_guard lock(call->state->mutex);
        run = call->state->alive;
        if (call->id != 0)
            run = run && call->state->sources.erase(call->id) == 1;
    }
    if (run)
        call->task();
    return G_SOURCE_REMOVE;
}

void deleteCall(gpointer data) {
    // Owned by the GLib source; released when the source is destroyed.
    std::unique_ptr<Call>(static_cast<Call*>(data)).reset();
}

guint attach(GMainContext* context, GSource* source, std::unique_ptr<Call> call) {
    g_source_set_callback(source, runCall, call.release(), deleteCall);
    guint id = g_source_attach(source, context);
    g_source_unref(source);
    return id;
}

} // namespace

MainLoopScheduler::MainLoopScheduler() : state(std::make_shared<State>()) {
    state->context = g_main_context_ref_thread_default();
}

MainLoopScheduler::~MainLoopScheduler() {
    std::map<TaskId, guint> sources;
    {
        std::lock_guard lock(state->mutex);
        state->alive = false;
        sources.swap(state->sources);
    }
    for (auto [id, source] : sources) {
        if (GSource* s = g_main_context_find_source_by_id(state->context, source))
            g_source_destroy(s);
    }
    g_main_context_unref(state->context);
}

void MainLoopScheduler::post(Task task) {
    GSource* source = g_idle_source_new();
    // At idle priority, results handed back from other threads would wait behind a window
    // that redraws every frame (a spinner) for as long as it does.
    g_source_set_priority(source, G_PRIORITY_DEFAULT);
    attach(state->context, source, std::make_unique<Call>(Call{state, 0, std::move(task)}));
}

Scheduler::TaskId MainLoopScheduler::runAfter(Duration delay, Task task) {
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(delay).count();
    std::lock_guard lock(state->mutex);
    TaskId id = ++state->lastId;
    GSource* source = g_timeout_source_new(static_cast<guint>(ms < 0 ? 0 : ms));
    state->sources[id] =
        attach(state->context, source, std::make_unique<Call>(Call{state, id, std::move(task)}));
    return id;
}

void MainLoopScheduler::cancel(TaskId id) {
    guint source = 0;
    {
        std::lock_guard lock(state->mutex);
        auto found = state->sources.find(id);
        if (found == state->sources.end())
            return;
        source = found->second;
        state->sources.erase(found);
    }
    if (GSource* s = g_main_context_find_source_by_id(state->context, source))
        g_source_destroy(s);
}

std::chrono::steady_clock::time_point MainLoopScheduler::now() const {
    return std::chrono::steady_clock::now();
}

} // namespace notes
