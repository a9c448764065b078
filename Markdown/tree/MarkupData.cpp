#include "Markdown/tree/MarkupData.hpp"

#include "Markdown/support/CheckedArithmetic.hpp"
#include "Markdown/support/IterativeRelease.hpp"
#include "Markdown/tree/UniqueIdentifier.hpp"

#include <atomic>
#include <mutex>
#include <vector>

namespace markdown {

/// A parent as its children see it: either an element's data as it was, or the rebuilt copy of
/// an old parent with one child replaced, made on first use.
class ParentLink {
public:
    explicit ParentLink(MarkupData data) : data(std::move(data)), ready(true) {}

    struct Rebuild {
        std::shared_ptr<const ParentLink> oldParent;
        RawMarkupPtr newChild;
        std::int64_t index;
        bool preserveRange;
        std::uint64_t rootId;
    };
    explicit ParentLink(Rebuild rebuild) : rebuild(std::move(rebuild)), ready(false) {}

    ParentLink(const ParentLink&) = delete;
    ParentLink& operator=(const ParentLink&) = delete;
    ~ParentLink() {
        if (rebuild)
            releaseIteratively(rebuild->oldParent);
    }

    const MarkupData& get() const {
        if (!ready.load(std::memory_order_acquire))
            resolve();
        return *data;
    }

private:
    // Rebuilds are rare, so one lock serves them all.
    static std::mutex& resolving() {
        static std::mutex mutex;
        return mutex;
    }

    void resolve() const {
        std::lock_guard lock(resolving());
        // An edit of an edit waits on the older rebuild: resolve the oldest first, in a loop,
        // however many edits are stacked up.
        std::vector<const ParentLink*> chain{this};
        while (!chain.back()->ready.load(std::memory_order_relaxed))
            chain.push_back(chain.back()->rebuild->oldParent.get());
        chain.pop_back();
        for (auto link = chain.rbegin(); link != chain.rend(); ++link)
            (*link)->resolveAfterOldParent();
    }

    void resolveAfterOldParent() const {
        const MarkupData& old = *rebuild->oldParent->data;
        RawMarkupPtr markup = old.raw.markup->substitutingChild(rebuild->newChild, rebuild->index,
                                                                rebuild->preserveRange);
        std::shared_ptr<const ParentLink> grandparent;
        if (old.parentLink)
            grandparent = std::make_shared<const ParentLink>(Rebuild{
                old.parentLink, markup, old.raw.metadata.indexInParent, false, rebuild->rootId});
        MarkupMetadata metadata{{rebuild->rootId, old.raw.metadata.id.childId},
                                old.raw.metadata.indexInParent};
        data.emplace(
            MarkupData(AbsoluteRawMarkup{std::move(markup), metadata}, std::move(grandparent)));
        // The old tree is no longer needed here.
        releaseIteratively(rebuild->oldParent);
        rebuild.reset();
        ready.store(true, std::memory_order_release);
    }

    mutable std::optional<MarkupData> data;
    mutable std::optional<Rebuild> rebuild;
    mutable std::atomic<bool> ready;
};

MarkupData::MarkupData(AbsoluteRawMarkup raw, std::shared_ptr<const ParentLink> parent)
    : raw(std::move(raw)), parentLink(std::move(parent)) {}

MarkupData::MarkupData(std::shared_ptr<const ParentLink> parent, MarkupMetadata metadata)
    : raw{parent->get().raw.markup->child(metadata.indexInParent), metadata},
      parentLink(std::move(parent)) {}

MarkupData::~MarkupData() {
    releaseIteratively(parentLink);
}

MarkupData MarkupData::newRoot(RawMarkupPtr markup) {
    MarkupMetadata metadata{{increment_and_get_unique_id(), 0}, 0};
    return MarkupData(AbsoluteRawMarkup{std::move(markup), metadata}, nullptr);
}

const MarkupData* MarkupData::parent() const {
    return parentLink ? &parentLink->get() : nullptr;
}

MarkupData MarkupData::root() const {
    const MarkupData* current = this;
    while (const MarkupData* up = current->parent())
        current = up;
    return *current;
}

std::shared_ptr<const ParentLink> MarkupData::shareAsParent() const {
    return std::make_shared<const ParentLink>(*this);
}

std::optional<MarkupData> MarkupData::childAt(std::int64_t index) const {
    require(index >= 0);
    const RawMarkup& node = *raw.markup;
    if (index >= node.childCount())
        return std::nullopt;
    std::int64_t childId = checkedAdd(raw.metadata.id.childId, 1);
    for (std::int64_t i = 0; i < index; ++i)
        childId = checkedAdd(childId, node.child(i)->subtreeCount());
    return MarkupData(shareAsParent(), MarkupMetadata{{raw.metadata.id.rootId, childId}, index});
}

MarkupData MarkupData::replacingSelf(RawMarkupPtr markup, bool preserveRange) const {
    if (!parentLink)
        return newRoot(std::move(markup));
    // Everything before this node in pre-order is unchanged, so its number stays.
    std::uint64_t rootId = increment_and_get_unique_id();
    MarkupMetadata metadata{{rootId, raw.metadata.id.childId}, raw.metadata.indexInParent};
    auto parent = std::make_shared<const ParentLink>(
        ParentLink::Rebuild{parentLink, markup, raw.metadata.indexInParent, preserveRange, rootId});
    return MarkupData(AbsoluteRawMarkup{std::move(markup), metadata}, std::move(parent));
}

} // namespace markdown
