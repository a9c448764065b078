#include "notes/runtime/Settings.hpp"

#include "notes/runtime/GLibPtr.hpp"

#include <glib.h>

namespace notes {
namespace {

constexpr const char* group = "Lumenleaf";

struct StringsDeleter {
    void operator()(gchar** strings) const { g_strfreev(strings); }
};

enum class Loaded { yes, missing, unreadable };

Loaded load(GKeyFile* keys, const std::filesystem::path& path, std::string& reason) {
    GError* raw = nullptr;
    if (g_key_file_load_from_file(keys, path.c_str(), G_KEY_FILE_KEEP_COMMENTS, &raw))
        return Loaded::yes;
    GErrorPtr error(raw);
    if (g_error_matches(error.get(), G_FILE_ERROR, G_FILE_ERROR_NOENT))
        return Loaded::missing;
    reason = error->message;
    return Loaded::unreadable;
}

Settings::KeyFilePointer newKeyFile() {
    return Settings::KeyFilePointer(g_key_file_new());
}

} // namespace

void Settings::KeyFileDeleter::operator()(GKeyFile* keys) const {
    g_key_file_unref(keys);
}

std::filesystem::path Settings::userFile() {
    return std::filesystem::path(g_get_user_config_dir()) / "lumenleaf" / "settings.ini";
}

Settings::Settings(std::filesystem::path file) : path(std::move(file)), keys(newKeyFile()) {
    std::string reason;
    if (load(keys.get(), path, reason) == Loaded::unreadable)
        g_warning("Ignoring the settings in %s: %s", path.c_str(), reason.c_str());
}

Settings::~Settings() = default;

std::optional<std::string> Settings::string(std::string_view key) const {
    GTextPtr value(g_key_file_get_string(keys.get(), group, std::string(key).c_str(), nullptr));
    if (!value)
        return std::nullopt;
    return std::string(value.get());
}

std::optional<std::vector<std::string>> Settings::stringList(std::string_view key) const {
    gsize length = 0;
    std::unique_ptr<gchar*, StringsDeleter> values(
        g_key_file_get_string_list(keys.get(), group, std::string(key).c_str(), &length, nullptr));
    if (!values)
        return std::nullopt;
    return std::vector<std::string>(values.get(), values.get() + length);
}

std::optional<double> Settings::number(std::string_view key) const {
    GError* raw = nullptr;
    double value = g_key_file_get_double(keys.get(), group, std::string(key).c_str(), &raw);
    if (GErrorPtr error(raw); error)
        return std::nullopt;
    return value;
}

std::optional<bool> Settings::boolean(std::string_view key) const {
    GError* raw = nullptr;
    gboolean value = g_key_file_get_boolean(keys.get(), group, std::string(key).c_str(), &raw);
    if (GErrorPtr error(raw); error)
        return std::nullopt;
    return value != FALSE;
}

// Applies the change to what is on disk now, so that keys written meanwhile by another part of
// the application (or another window's process) are kept, and to the values in memory.
template <typename Change> bool Settings::change(Change&& apply) {
    apply(keys.get());
    KeyFilePointer current = newKeyFile();
    std::string reason;
    if (load(current.get(), path, reason) == Loaded::unreadable) {
        g_warning("Not writing the settings over %s, which cannot be read: %s", path.c_str(),
                  reason.c_str());
        return false;
    }
    apply(current.get());
    std::error_code ignored;
    std::filesystem::create_directories(path.parent_path(), ignored);
    GError* raw = nullptr;
    // Written to a temporary file that replaces the old one, so a crash leaves either.
    if (!g_key_file_save_to_file(current.get(), path.c_str(), &raw)) {
        GErrorPtr error(raw);
        g_warning("Cannot write the settings to %s: %s", path.c_str(), error->message);
        return false;
    }
    return true;
}

bool Settings::setString(std::string_view key, const std::string& value) {
    return change([&](GKeyFile* file) {
        g_key_file_set_string(file, group, std::string(key).c_str(), value.c_str());
    });
}

bool Settings::setStringList(std::string_view key, std::span<const std::string> values) {
    std::vector<const gchar*> list;
    for (const auto& value : values)
        list.push_back(value.c_str());
    return change([&](GKeyFile* file) {
        g_key_file_set_string_list(file, group, std::string(key).c_str(), list.data(), list.size());
    });
}

bool Settings::setNumber(std::string_view key, double value) {
    return change([&](GKeyFile* file) {
        g_key_file_set_double(file, group, std::string(key).c_str(), value);
    });
}

bool Settings::setBoolean(std::string_view key, bool value) {
    return change([&](GKeyFile* file) {
        g_key_file_set_boolean(file, group, std::string(key).c_str(), value ? TRUE : FALSE);
    });
}

} // namespace notes
