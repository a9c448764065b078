#pragma once

#include "reader/Desktop.hpp"

#include <string>

namespace app {

/// The desktop of the running session: the display's alert sound and the applications that
/// the system prefers for a file or an address. Launches run in the background, and a failed
/// one is logged, never shown as a dialog.
class SystemDesktop final : public reader::Desktop {
public:
    void beep() override;
    void openFile(const markdown::URL& file) override;
    void openURL(const std::string& url) override;
};

} // namespace app
