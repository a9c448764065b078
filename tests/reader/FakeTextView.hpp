#pragma once

#include "reader/EditorTextView.hpp"

#include <optional>
#include <string>
#include <vector>

namespace reader {

/// An editor view whose text above the top-line probe (60 units down) is given, and that records
/// focus and finder actions.
class FakeTextView final : public EditorTextView {
public:
    explicit FakeTextView(std::optional<std::string> before = std::nullopt)
        : before(std::move(before)) {}

    std::optional<std::string> textBeforePointBelowTop(double distance) const override {
        return distance == 60 ? before : std::nullopt;
    }
    void focus() override { ++focused; }
    void performTextFinderAction(FinderAction action) override { actions.push_back(action); }

    std::optional<std::string> before;
    int focused = 0;
    std::vector<FinderAction> actions;
};

} // namespace reader
