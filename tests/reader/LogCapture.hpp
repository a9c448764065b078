#pragma once

#include <glib.h>

#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace reader {

/// One structured log record.
struct LogEntry {
    std::string domain;
    std::string category;
    std::string message;

    friend bool operator==(const LogEntry&, const LogEntry&) = default;
};

/// Records what is logged on this thread while it lives; records outside a capture go to
/// GLib's default writer. The writer can be set only once in a process, so it stays.
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
        LogCapture* capture = current();
        if (!capture)
            return g_log_writer_default(level, fields, count, data);
        LogEntry entry;
        for (gsize i = 0; i < count; ++i) {
            std::string_view key = fields[i].key;
            if (fields[i].length >= 0)
                continue; // binary fields carry nothing we look at
            std::string value = static_cast<const char*>(fields[i].value);
            if (key == "GLIB_DOMAIN")
                entry.domain = value;
            else if (key == "CATEGORY")
                entry.category = value;
            else if (key == "MESSAGE")
                entry.message = value;
        }
        capture->entries.push_back(std::move(entry));
        return G_LOG_WRITER_HANDLED;
    }
};

} // namespace reader
