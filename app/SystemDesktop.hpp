#pragma once

#include "reader/model/Desktop.hpp"

#include <chrono>
#include <string>

namespace app {

/// The desktop of the running session: the display's alert sound, the applications that the
/// system prefers for a file or an address, and the file manager. Launches run in the
/// background, and a failed one is logged, never shown as a dialog.
class SystemDesktop final : public reader::Desktop {
public:
    /// `fileManagerTimeout`: how long revealing waits for the file manager before it opens
    /// the item's folder instead.
    explicit SystemDesktop(std::chrono::milliseconds fileManagerTimeout = std::chrono::seconds(5));

    void beep() override;
    void openFile(const markdown::URL& file) override;
    void openURL(const std::string& url) override;
    /// Falls back to opening the folder that holds the item, with an application other than
    /// this one.
    void reveal(const markdown::URL& item) override;
    void openWithOtherApplication(const markdown::URL& file) override;
    bool isObsidianInstalled() override;

private:
    std::chrono::milliseconds fileManagerTimeout;
};

} // namespace app
