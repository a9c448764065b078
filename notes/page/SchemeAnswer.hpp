#pragma once

#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace notes {

/// A successful load through the mdreader scheme: one HTTP response with the whole body.
struct SchemeResponse {
    /// The URL that was requested, as given.
    std::string url;
    int statusCode = 200;
    std::string httpVersion = "HTTP/1.1";
    /// Exactly "Content-Type" and "Content-Length", in this order.
    std::vector<std::pair<std::string, std::string>> headerFields;
    /// The file's bytes.
    std::string body;

    friend bool operator==(const SchemeResponse&, const SchemeResponse&) = default;
};

/// The one way a load fails: no file answers the URL (the URL error "file does not exist",
/// code -1100). The page sees a broken image or a missing style sheet or script.
enum class SchemeFailure { fileDoesNotExist };

/// What the scheme handler answers to one request.
using SchemeAnswer = std::variant<SchemeResponse, SchemeFailure>;

} // namespace notes
