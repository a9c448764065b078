#pragma once

#include "Markdown/cmark/CMarkNode.hpp"

#include <cstdint>
#include <memory>

struct cmark_iter;

namespace markdown {

/// A step of a walk, with the library's numbers.
enum class CMarkEvent : std::uint32_t { none = 0, done = 1, enter = 2, exit = 3 };

/// Walks a subtree in document order: a container gets an enter event, its children, then an exit
/// event; a leaf gets an enter event only; after the root's exit comes done, with no node. The
/// tree must outlive the walk and stay unchanged during it. A walk over the empty node is done at
/// once.
class CMarkIterator {
public:
    explicit CMarkIterator(CMarkNode root);

    /// Steps once and returns the new event; after done it stays at done.
    CMarkEvent next();
    /// The current event: none before the first step.
    [[nodiscard]] CMarkEvent event() const { return current; }
    /// The node of the current event; the empty node before the first step and at done.
    [[nodiscard]] CMarkNode node() const;

private:
    struct IteratorDeleter {
        void operator()(cmark_iter* iterator) const;
    };
    std::unique_ptr<cmark_iter, IteratorDeleter> iterator;
    CMarkEvent current = CMarkEvent::none;
};

} // namespace markdown
