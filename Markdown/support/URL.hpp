#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace markdown {

/// The address of a file: the path text a URL stands for, compared and hashed as text.
/// Only file addresses are needed here, so the value is just its path.
class URL {
public:
    URL() = default;
    /// The address of the file at the given path, as given (not standardized).
    static URL fileURL(std::string path) { return URL(std::move(path)); }
    static URL fileURL(const std::filesystem::path& path) { return URL(path.native()); }

    /// The file-system path; empty for the empty address.
    [[nodiscard]] const std::string& path() const { return text ? *text : emptyPath(); }
    [[nodiscard]] std::filesystem::path filesystemPath() const { return path(); }
    [[nodiscard]] bool empty() const { return path().empty(); }

    friend bool operator==(const URL& a, const URL& b) {
        return a.text == b.text || a.path() == b.path();
    }

private:
    explicit URL(std::string path)
        : text(path.empty() ? nullptr : std::make_shared<const std::string>(std::move(path))) {}
    static const std::string& emptyPath() {
        static const std::string empty;
        return empty;
    }

    // Shared, because every source location of a parsed tree carries a copy of its address.
    std::shared_ptr<const std::string> text;
};

} // namespace markdown

template <> struct std::hash<markdown::URL> {
    std::size_t operator()(const markdown::URL& url) const noexcept {
        return std::hash<std::string>{}(url.path());
    }
};
