#pragma once

struct cmark_node;

namespace markdown {

/// Records on every code span below `root` the length of the backtick run that opens it.
///
/// The parser keeps neither the run nor a usable source position (its columns are off on
/// continuation lines, after block-quote markers and in table cells with escaped pipes), so each
/// span is found again in the content of the block or attribute node whose text holds it, where
/// the parser's own line and column arithmetic is exact, and checked against its literal.
void recordBacktickCounts(cmark_node* root);

} // namespace markdown
