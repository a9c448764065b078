#include "reader/model/WindowTarget.hpp"

#include "reader/model/DiskPath.hpp"

namespace reader {
namespace {

void combine(std::size_t& seed, std::size_t value) {
    seed ^= value + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2);
}

// A presence marker first, so that a folder alone and a file alone hash apart.
void combine(std::size_t& seed, const std::optional<markdown::URL>& url) {
    combine(seed, url.has_value());
    if (url)
        combine(seed, std::hash<markdown::URL>{}(*url));
}

constexpr const char* keys[] = {"folder", "file"};

} // namespace

// Existence by path alone: folder or file does not matter here.
WindowTarget::Opening WindowTarget::opening() const {
    if (folder && existsAt(*folder))
        return OpenFolder{*folder, file};
    if (file && existsAt(*file))
        return OpenFile{*file};
    return std::monostate{};
}

nlohmann::json WindowTarget::keyed() const {
    auto object = nlohmann::json::object();
    const std::optional<markdown::URL>* fields[] = {&folder, &file};
    for (std::size_t i = 0; i < 2; ++i) {
        if (*fields[i])
            object[keys[i]] = (*fields[i])->path();
    }
    return object;
}

std::variant<WindowTarget, WindowTarget::DecodeError>
WindowTarget::fromKeyed(const nlohmann::json& stored) {
    if (!stored.is_object())
        return DecodeError{"a window target must be an object with \"folder\" and \"file\""};
    WindowTarget target;
    std::optional<markdown::URL>* fields[] = {&target.folder, &target.file};
    for (std::size_t i = 0; i < 2; ++i) {
        auto found = stored.find(keys[i]);
        if (found == stored.end())
            continue;
        if (!found->is_string() || found->get_ref<const std::string&>().empty())
            return DecodeError{std::string("the window target's \"") + keys[i] +
                               "\" is not a file path"};
        *fields[i] = markdown::URL::fileURL(found->get<std::string>());
    }
    return target;
}

} // namespace reader

std::size_t
std::hash<reader::WindowTarget>::operator()(const reader::WindowTarget& target) const noexcept {
    std::size_t seed = 0;
    reader::combine(seed, target.folder);
    reader::combine(seed, target.file);
    return seed;
}
