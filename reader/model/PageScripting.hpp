#pragma once

#include <nlohmann/json.hpp>

#include <functional>
#include <string>
#include <variant>

namespace reader {

/// The reading page's script engine, as the bridge sees it. The web view implements it; tests
/// stand in a page of their own.
class PageScripting {
public:
    /// What a script threw, or why it could not run.
    struct Error {
        std::string message;
    };
    /// The script's value as JSON (null when it gave nothing), or its error.
    using Result = std::variant<nlohmann::json, Error>;
    using Completion = std::function<void(Result)>;

    virtual ~PageScripting() = default;

    /// Runs the script in the page; its value and its errors are dropped.
    virtual void evaluate(const std::string& script) = 0;
    /// Runs the script in the page and calls the completion exactly once, on the main thread,
    /// with its value or its error.
    virtual void evaluate(const std::string& script, Completion completion) = 0;
};

} // namespace reader
