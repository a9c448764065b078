#pragma once

#include <glib.h>

#include <cstddef>
#include <mutex>

namespace reader {

/// Counts the records logged on this thread while it lives, from messages up; debugging
/// records, and records outside a capture, go to GLib's default writer. The writer can be set
/// only once in a process, so it stays.
class LogCapture {
public:
    LogCapture() {
        static std::once_flag installed;
        std::call_once(installed, [] { g_log_set_writer_func(write, nullptr, nullptr); });
        current() = this;
    }
    ~LogCapture() { current() = nullptr; }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    std::size_t records = 0;

private:
    static LogCapture*& current() {
        thread_local LogCapture* capture = nullptr;
        return capture;
    }

    static GLogWriterOutput write(GLogLevelFlags level, const GLogField* fields, gsize count,
                                  gpointer data) {
        if (!current() || (level & (G_LOG_LEVEL_INFO | G_LOG_LEVEL_DEBUG)))
            return g_log_writer_default(level, fields, count, data);
        ++current()->records;
        return G_LOG_WRITER_HANDLED;
    }
};

} // namespace reader
