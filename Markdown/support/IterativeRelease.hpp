#pragma once

#include <memory>
#include <vector>

namespace markdown {

/// Drops one reference to a shared node. When it is the last one, the nodes that the node
/// itself keeps alive come back here (its destructor calls this too) and are dropped in a
/// loop, so freeing a chain or tree of any depth takes no stack per level.
template <class T> void releaseIteratively(std::shared_ptr<const T>& pointer) {
    static thread_local std::vector<std::shared_ptr<const T>>* unwinding = nullptr;
    if (!pointer)
        return;
    if (pointer.use_count() > 1) {
        pointer.reset();
        return;
    }
    if (unwinding != nullptr) {
        unwinding->push_back(std::move(pointer));
        return;
    }
    std::vector<std::shared_ptr<const T>> pending;
    unwinding = &pending;
    pointer.reset();
    while (!pending.empty()) {
        std::shared_ptr<const T> next = std::move(pending.back());
        pending.pop_back();
        next.reset();
    }
    unwinding = nullptr;
}

} // namespace markdown
