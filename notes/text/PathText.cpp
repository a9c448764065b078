#include "notes/text/PathText.hpp"

#include "notes/text/PlainText.hpp"

#include <algorithm>
#include <array>

namespace notes {
namespace {

// Keeps a lone "/" so that the root stays the root.
std::string_view withoutTrailingSlashes(std::string_view path) {
    while (path.size() > 1 && path.back() == '/')
        path.remove_suffix(1);
    return path;
}

// Where the last component of a path without trailing slashes begins.
std::size_t lastComponentStart(std::string_view path) {
    std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? 0 : slash + 1;
}

// The position of the extension's dot, or npos when the last component has no extension.
std::size_t extensionDot(std::string_view path) {
    std::size_t start = lastComponentStart(path);
    std::string_view name = path.substr(start);
    std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0 || name == "..")
        return std::string_view::npos;
    return start + dot;
}

} // namespace

std::string standardizedPath(std::string_view path) {
    const bool absolute = path.starts_with('/');
    std::string out;
    out.reserve(path.size());
    std::size_t i = 0;
    while (i < path.size()) {
        std::size_t end = path.find('/', i);
        if (end == std::string_view::npos)
            end = path.size();
        std::string_view component = path.substr(i, end - i);
        i = end + 1;
        if (component.empty() || component == ".")
            continue;
        if (component == "..") {
            std::size_t slash = out.rfind('/');
            std::size_t start = slash == std::string::npos ? 0 : slash + 1;
            if (start < out.size() && std::string_view(out).substr(start) != "..") {
                out.resize(slash == std::string::npos ? 0 : slash);
                continue;
            }
            if (absolute)
                continue;
        }
        if (absolute || !out.empty())
            out += '/';
        out += component;
    }
    if (out.empty())
        return absolute ? "/" : ".";
    return out;
}

bool isStandardizedPath(std::string_view path) {
    if (path == "/" || path == ".")
        return true;
    if (path.empty() || path.ends_with('/'))
        return false;
    const bool absolute = path.starts_with('/');
    // A relative path keeps the ".." it begins with.
    bool onlyParents = !absolute;
    // Byte by byte: asked of every file a folder scan meets, where components are short.
    std::size_t start = absolute ? 1 : 0;
    for (std::size_t i = start; i <= path.size(); ++i) {
        if (i < path.size() && path[i] != '/')
            continue;
        std::string_view component = path.substr(start, i - start);
        if (component.empty() || component == ".")
            return false;
        if (component == "..") {
            if (!onlyParents)
                return false;
        } else {
            onlyParents = false;
        }
        start = i + 1;
    }
    return true;
}

markdown::URL standardizedURL(const markdown::URL& url) {
    return markdown::URL::fileURL(standardizedPath(url.path()));
}

std::string_view lastPathComponent(std::string_view path) {
    path = withoutTrailingSlashes(path);
    if (path == "/")
        return path;
    return path.substr(lastComponentStart(path));
}

std::string_view deletingLastPathComponent(std::string_view path) {
    path = withoutTrailingSlashes(path);
    std::size_t slash = path.rfind('/');
    if (slash == std::string_view::npos)
        return {};
    if (slash == 0)
        return path.substr(0, 1);
    return withoutTrailingSlashes(path.substr(0, slash));
}

std::string appendingPathComponent(std::string_view path, std::string_view component) {
    std::string out(path);
    if (!out.empty() && out.back() != '/')
        out += '/';
    out += component;
    return out;
}

std::vector<std::string_view> pathComponents(std::string_view path) {
    std::vector<std::string_view> components;
    if (path.starts_with('/'))
        components.push_back(path.substr(0, 1));
    std::size_t i = 0;
    while (i < path.size()) {
        std::size_t end = path.find('/', i);
        if (end == std::string_view::npos)
            end = path.size();
        if (end > i)
            components.push_back(path.substr(i, end - i));
        i = end + 1;
    }
    return components;
}

std::string_view pathExtension(std::string_view path) {
    path = withoutTrailingSlashes(path);
    std::size_t dot = extensionDot(path);
    return dot == std::string_view::npos ? std::string_view() : path.substr(dot + 1);
}

std::string_view deletingPathExtension(std::string_view path) {
    path = withoutTrailingSlashes(path);
    std::size_t dot = extensionDot(path);
    return dot == std::string_view::npos ? path : path.substr(0, dot);
}

bool isMarkdownExtension(std::string_view extension) {
    static constexpr std::array<std::string_view, 4> extensions{"md", "markdown", "mdown", "mkd"};
    auto isOne = [](std::string_view lower) {
        return std::find(extensions.begin(), extensions.end(), lower) != extensions.end();
    };
    // Called for every file of a scan: an ASCII extension is lowered without an allocation.
    if (!isASCII(extension))
        return isOne(lowercased(extension));
    std::array<char, 8> lower{};
    if (extension.size() > lower.size())
        return false;
    std::transform(extension.begin(), extension.end(), lower.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return isOne(std::string_view(lower.data(), extension.size()));
}

bool hasMarkdownExtension(std::string_view path) {
    return isMarkdownExtension(pathExtension(path));
}

} // namespace notes
