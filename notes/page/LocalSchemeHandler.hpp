#pragma once

#include "notes/page/SchemeAnswer.hpp"
#include "notes/page/WebResources.hpp"

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <string_view>

namespace notes {

/// Answers the page's loads through the "mdreader" scheme, free of any toolkit: the web
/// view's adapter hands in each request's URL and passes the answer back to the page.
/// Host "app" serves a resource of the page by its name (the URL's last path segment);
/// any other host goes through `fileURLFromReaderURL`, so only "local" serves a file.
/// Only regular files up to `maximumFileSize` bytes are served: a device or a pipe would
/// never finish reading, and the whole file is read at once on the main thread. A file of
/// the page that its folder lacks is logged the first time it is asked for.
class LocalSchemeHandler {
public:
    static constexpr std::uintmax_t maximumFileSize = std::uintmax_t{256} << 20;

    explicit LocalSchemeHandler(WebResources resources = WebResources::located());

    /// The response (status 200, the file's MIME type from its extension, its size and
    /// bytes) or the file-does-not-exist failure.
    [[nodiscard]] SchemeAnswer handleSchemeTask(std::string_view requestURL) const;

private:
    void reportMissing(std::string_view name) const;

    WebResources resources;
    /// The page's files found missing so far: each is logged once.
    mutable std::set<std::string, std::less<>> missing;
};

} // namespace notes
