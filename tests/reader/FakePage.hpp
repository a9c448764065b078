#pragma once

#include "reader/PageScripting.hpp"

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace reader {

/// A page that records what it is asked to run and answers awaited scripts when told to.
class FakePage final : public PageScripting {
public:
    void evaluate(const std::string& script) override { sent.push_back(script); }
    void evaluate(const std::string& script, Completion completion) override {
        awaited.push_back(script);
        waiting.push_back(std::move(completion));
    }

    /// Answers the oldest awaited script, or the `at`-th of those still waiting.
    void answer(Result result, std::size_t at = 0) {
        auto completion = std::move(waiting.at(at));
        waiting.erase(waiting.begin() + static_cast<std::ptrdiff_t>(at));
        completion(std::move(result));
    }

    std::vector<std::string> sent;
    std::vector<std::string> awaited;
    std::vector<Completion> waiting;
};

} // namespace reader
