#pragma once

#include <webkit/webkit.h>

namespace reader {

/// Serves the "mdreader" scheme on a web context: the page's own resources under host "app"
/// and the notes' neighbouring files under host "local", answered with exactly the status and
/// headers that `notes::LocalSchemeHandler` gives, or failed as a missing file. A scheme can be
/// registered only once on a context, so later calls for the same context do nothing.
void registerReaderScheme(WebKitWebContext* context);

} // namespace reader
