#pragma once

#include "reader/model/EditorTextView.hpp"
#include "reader/model/PageScripting.hpp"

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace reader {

/// Takes out the `at`-th item, keeping the order of the others.
template <typename Item> Item takeAt(std::vector<Item>& items, std::size_t at) {
    Item item = std::move(items.at(at));
    items.erase(items.begin() + static_cast<std::ptrdiff_t>(at));
    return item;
}

/// A page that records what it is asked to run and answers awaited scripts when told to.
struct FakePage final : PageScripting {
    void evaluate(const std::string& script) override { sent.push_back(script); }
    void evaluate(const std::string& script, Completion completion) override {
        awaited.push_back(script);
        waiting.push_back(std::move(completion));
    }

    /// Answers the oldest awaited script, or the `at`-th of those still waiting.
    void answer(Result result, std::size_t at = 0) { takeAt(waiting, at)(std::move(result)); }

    std::vector<std::string> sent, awaited;
    std::vector<Completion> waiting;
};

/// An editor view whose text above the top-line probe (60 units down) is given, and that records
/// focus and finder actions.
struct FakeTextView final : EditorTextView {
    std::optional<std::string> textBeforePointBelowTop(double distance) const override {
        return distance == 60 ? before : std::nullopt;
    }
    bool hasScrolledSinceOpening() const override { return scrolled; }
    void focus() override { ++focused; }
    void performTextFinderAction(FinderAction action) override { actions.push_back(action); }

    std::optional<std::string> before;
    bool scrolled = true;
    int focused = 0;
    std::vector<FinderAction> actions;
};

} // namespace reader
