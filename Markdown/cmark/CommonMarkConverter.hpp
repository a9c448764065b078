#pragma once

#include "Markdown/cmark/CMarkDocument.hpp"
#include "Markdown/cmark/CMarkNode.hpp"
#include "Markdown/elements/Document.hpp"
#include "Markdown/elements/ParseOptions.hpp"
#include "Markdown/support/URL.hpp"
#include "Markdown/tree/RawMarkup.hpp"
#include "Markdown/tree/SourceRange.hpp"

#include <optional>
#include <string_view>

namespace markdown {

/// The parser's option bits for a parse with these options: table cell spans always, smart
/// punctuation unless `disableSmartOpts`, source positions unless `disableSourcePosOpts`.
[[nodiscard]] int cmarkOptionBits(ParseOptions options);

/// The range of a node the parser places at `position`: from its first byte to just past its
/// last, widened on both sides by the backtick count of a code span (the parser places a code
/// span between its backtick runs). None when a start number is not positive, the end line is
/// not positive, the end column is negative, or the end would come before the start. Every
/// location carries `source`.
[[nodiscard]] std::optional<SourceRange> cmarkSourceRange(const CMarkPosition& position,
                                                          unsigned backtickCount,
                                                          const std::optional<URL>& source);

/// Converts a finished parser tree, given by its document node, into raw markup, bottom-up: a
/// `document` node over the converted blocks, each node with its range. The tree comes without
/// backtick counts and cell spans (`CMarkParser::Annotations::leaveToCaller`): they are recorded
/// on the way. Walks with a heap stack,
/// so any depth of nesting converts. A tree the parser cannot make from text (an unknown node
/// type, a custom inline without text, a table alignment other than l, c, r or none, ...)
/// stops the program.
[[nodiscard]] RawMarkupPtr
convertCMarkDocument(CMarkNode document, const std::optional<URL>& source, ParseOptions options);
/// The same, consuming the tree: each node is freed once converted, so that the parse never
/// holds the whole parser tree and the whole raw tree at once.
[[nodiscard]] RawMarkupPtr convertCMarkDocument(CMarkDocument document,
                                                const std::optional<URL>& source,
                                                ParseOptions options);

/// Parses the whole text as CommonMark with GitHub tables, strikethrough and task lists (and
/// our attribute spans) and converts it. Never fails. `parseBlockDirectives` and
/// `parseMinimalDoxygen` make no difference here.
[[nodiscard]] RawMarkupPtr parseRawDocument(std::string_view text, const std::optional<URL>& source,
                                            ParseOptions options);

/// `parseRawDocument` wrapped as a `Document`: the root of a new tree (fresh root identifier).
[[nodiscard]] Document parseString(std::string_view text, const std::optional<URL>& source = {},
                                   ParseOptions options = {});

} // namespace markdown
