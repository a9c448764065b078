#include "bench/support/StockCmark.hpp"

#include <cmark-gfm-core-extensions.h>
#include <cmark-gfm-extension_api.h>

#include <stdexcept>

namespace bench {

StockCmark::StockCmark(std::string_view text) {
    cmark_gfm_core_extensions_ensure_registered();
    parser.reset(cmark_parser_new(options));
    for (const char* name : {"table", "strikethrough", "tasklist"}) {
        cmark_syntax_extension* extension = cmark_find_syntax_extension(name);
        if (extension == nullptr)
            throw std::runtime_error(std::string("cmark-gfm lacks the extension ") + name);
        cmark_parser_attach_syntax_extension(parser.get(), extension);
    }
    cmark_parser_feed(parser.get(), text.data(), text.size());
    document.reset(cmark_parser_finish(parser.get()));
}

std::string StockCmark::html() const {
    cmark_mem* memory = cmark_get_default_mem_allocator();
    char* rendered = cmark_render_html_with_mem(
        document.get(), options, cmark_parser_get_syntax_extensions(parser.get()), memory);
    std::string out(rendered);
    memory->free(rendered);
    return out;
}

} // namespace bench
