#pragma once

#include "Markdown/support/URL.hpp"

#include <string>

namespace reader {

/// What a window asks of the desktop. The host window implements it.
class Desktop {
public:
    virtual ~Desktop() = default;

    /// Sounds the system's alert: a request was refused.
    virtual void beep() = 0;
    /// Opens the file with the application the system prefers for its type.
    virtual void openFile(const markdown::URL& file) = 0;
    /// Opens an address that is not a local note (a web page, a mail address, ...) with the
    /// system's handler for its scheme.
    virtual void openURL(const std::string& url) = 0;
    /// Shows the file browser with the item (a file or a folder) selected.
    virtual void reveal(const markdown::URL& item) = 0;
    /// Opens the file with the application the system prefers for its type, this application
    /// left out; nothing when no other application opens it.
    virtual void openWithOtherApplication(const markdown::URL& file) = 0;
    /// Whether the Obsidian note application is installed: asked afresh on every call.
    [[nodiscard]] virtual bool isObsidianInstalled() = 0;
};

} // namespace reader
