#pragma once

#include "Markdown/support/URL.hpp"

#include <chrono>
#include <functional>

namespace app {

/// Asks the session's file manager to show the item selected (the D-Bus call
/// org.freedesktop.FileManager1.ShowItems) and returns at once. When there is no session bus,
/// or no file manager answers within `timeout`, or it refuses, `noAnswer` runs on the main loop.
void showInFileManager(const markdown::URL& item, std::chrono::milliseconds timeout,
                       std::function<void()> noAnswer);

} // namespace app
