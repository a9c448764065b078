#include "Markdown/cmark/CMarkParser.hpp"

#include "Markdown/cmark/AttributeExtension.hpp"
#include "Markdown/cmark/CMarkExtensions.hpp"
#include "Markdown/cmark/CodeSpanBackticks.hpp"
#include "Markdown/cmark/TableCellSpans.hpp"
#include "Markdown/support/Fatal.hpp"

#include <mutex>
#include <string>

#include <cmark-gfm-extension_api.h>
#include <cmark-gfm.h>

namespace markdown {
namespace {

static_assert(CMarkParser::sourcePositions == CMARK_OPT_SOURCEPOS);
static_assert(CMarkParser::smartPunctuation == CMARK_OPT_SMART);

// While it parses inlines, the library marks the special characters of the attached extensions in
// one process-wide table and unmarks them at the end; two such phases at once would unmark each
// other's characters (a "~~" would stay text).
std::mutex inlineParseMutex;

} // namespace

CMarkParser::CMarkParser(int options) : arena(std::make_shared<CMarkArena>()), optionBits(options) {
    registerCMarkExtensions();
    parser.reset(cmark_parser_new_with_mem(options, arena->memory()));
}

bool CMarkParser::attachExtension(std::string_view name) {
    cmark_syntax_extension* extension = cmark_find_syntax_extension(std::string(name).c_str());
    return extension != nullptr && cmark_parser_attach_syntax_extension(parser.get(), extension);
}

void CMarkParser::feed(std::string_view text) {
    cmark_parser_feed(parser.get(), text.data(), text.size());
}

CMarkDocument CMarkParser::finish(Annotations annotations) {
    cmark_node* root = nullptr;
    {
        const std::lock_guard lock(inlineParseMutex);
        const AttributeScanMemo memo;
        root = cmark_parser_finish(parser.get());
    }
    CMarkDocument document(root, arena);
    if (annotations == Annotations::record) {
        recordBacktickCounts(root);
        if (optionBits & tableCellSpans)
            recordTableCellSpans(root);
    }
    return document;
}

CMarkDocument CMarkParser::parse(std::string_view text, int options, Annotations annotations) {
    CMarkParser parser(options);
    for (const std::string_view name : noteExtensions)
        require(parser.attachExtension(name),
                "cmark-gfm extension \"" + std::string(name) + "\" is not registered");
    parser.feed(text);
    return parser.finish(annotations);
}

void CMarkParser::ParserDeleter::operator()(cmark_parser* parser) const {
    cmark_parser_free(parser);
}

} // namespace markdown
