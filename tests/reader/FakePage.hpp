#pragma once

#include "reader/PageScripting.hpp"

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

    /// Answers the oldest awaited script.
    void answer(Result result) {
        auto completion = std::move(waiting.front());
        waiting.erase(waiting.begin());
        completion(std::move(result));
    }

    std::vector<std::string> sent;
    std::vector<std::string> awaited;
    std::vector<Completion> waiting;
};

} // namespace reader
