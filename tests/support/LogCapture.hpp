#pragma once

#include <glib.h>

#include <map>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace reader {

/// One structured log record.
struct LogEntry {
    std::string domain, category, message;
    friend bool operator==(const LogEntry&, const LogEntry&) = default;
};

/// Records what is logged on this thread while it lives, from messages up; debugging records,
/// and records outside a capture, go to GLib's default writer. The writer can be set only
/// once in a process, so it stays.
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

    std::vector<LogEntry> entries;

private:
    static LogCapture*& current() {
        thread_local LogCapture* capture = nullptr;
        return capture;
    }

    static GLogWriterOutput write(GLogLevelFlags level, const GLogField* fields, gsize count,
                                  gpointer data) {
        if (!current() || (level & (G_LOG_LEVEL_INFO | G_LOG_LEVEL_DEBUG)))
            return g_log_writer_default(level, fields, count, data);
        std::map<std::string_view, std::string> text;
        for (const GLogField& field : std::span(fields, count))
            if (field.length < 0) // binary fields carry nothing we look at
                text[field.key] = static_cast<const char*>(field.value);
        current()->entries.push_back({text["GLIB_DOMAIN"], text["CATEGORY"], text["MESSAGE"]});
        return G_LOG_WRITER_HANDLED;
    }
};

} // namespace reader
