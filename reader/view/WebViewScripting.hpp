#pragma once

#include "notes/runtime/Scheduler.hpp"
#include "reader/model/PageScripting.hpp"

#include <webkit/webkit.h>

#include <string>

namespace reader {

/// The script engine of a WebKit web view's page. Holds the view weakly: scripts sent once it is
/// gone are dropped, and awaited ones answer with an error on a later turn of the main loop.
/// Script values arrive as their JSON form (undefined as null); a thrown script error arrives
/// as the error.
class WebViewScripting final : public PageScripting {
public:
    WebViewScripting(WebKitWebView* view, notes::Scheduler& scheduler);
    ~WebViewScripting() override;
    WebViewScripting(const WebViewScripting&) = delete;
    WebViewScripting& operator=(const WebViewScripting&) = delete;

    void evaluate(const std::string& script) override;
    void evaluate(const std::string& script, Completion completion) override;

private:
    GWeakRef view;
    notes::Scheduler& scheduler;
};

} // namespace reader
