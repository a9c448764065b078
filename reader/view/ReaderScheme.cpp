#include "reader/view/ReaderScheme.hpp"

#include "notes/page/LocalSchemeHandler.hpp"
#include "notes/runtime/GObjectPtr.hpp"

#include <memory>
#include <string>
#include <variant>

namespace reader {

namespace {

constexpr const char* scheme = "mdreader";
constexpr const char* registeredMark = "lumenleaf-mdreader-scheme";

void deleteBody(gpointer body) {
    std::unique_ptr<std::string>(static_cast<std::string*>(body)).reset();
}

void respond(WebKitURISchemeRequest* request, notes::SchemeResponse response) {
    const auto size = response.body.size();
    auto body = std::make_unique<std::string>(std::move(response.body));
    const char* bytes = body->data();
    GBytes* data = g_bytes_new_with_free_func(bytes, size, deleteBody, body.release());
    auto stream = notes::adoptGObject(g_memory_input_stream_new_from_bytes(data));
    g_bytes_unref(data);

    auto answer = notes::adoptGObject(
        webkit_uri_scheme_response_new(stream.get(), static_cast<gint64>(size)));
    webkit_uri_scheme_response_set_status(answer.get(), static_cast<guint>(response.statusCode),
                                          nullptr);
    SoupMessageHeaders* headers = soup_message_headers_new(SOUP_MESSAGE_HEADERS_RESPONSE);
    for (const auto& [name, value] : response.headerFields)
        soup_message_headers_append(headers, name.c_str(), value.c_str());
    webkit_uri_scheme_response_set_http_headers(answer.get(), headers);
    webkit_uri_scheme_request_finish_with_response(request, answer.get());
}

void failAsMissing(WebKitURISchemeRequest* request) {
    GError* error =
        g_error_new_literal(WEBKIT_NETWORK_ERROR, WEBKIT_NETWORK_ERROR_FILE_DOES_NOT_EXIST,
                            "The requested file does not exist");
    webkit_uri_scheme_request_finish_error(request, error);
    g_error_free(error);
}

void answerRequest(WebKitURISchemeRequest* request, gpointer data) {
    const auto& handler = *static_cast<const notes::LocalSchemeHandler*>(data);
    const char* url = webkit_uri_scheme_request_get_uri(request);
    if (!url) {
        failAsMissing(request);
        return;
    }
    auto answer = handler.handleSchemeTask(url);
    if (auto* response = std::get_if<notes::SchemeResponse>(&answer))
        respond(request, std::move(*response));
    else
        failAsMissing(request);
}

void deleteHandler(gpointer handler) {
    std::unique_ptr<notes::LocalSchemeHandler>(static_cast<notes::LocalSchemeHandler*>(handler))
        .reset();
}

} // namespace

void registerReaderScheme(WebKitWebContext* context) {
    if (g_object_get_data(G_OBJECT(context), registeredMark))
        return;
    g_object_set_data(G_OBJECT(context), registeredMark, GINT_TO_POINTER(1));
    auto handler = std::make_unique<notes::LocalSchemeHandler>();
    webkit_web_context_register_uri_scheme(context, scheme, answerRequest, handler.release(),
                                           deleteHandler);
}

} // namespace reader
