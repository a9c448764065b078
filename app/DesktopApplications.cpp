#include "app/DesktopApplications.hpp"

#include "notes/runtime/GLibPtr.hpp"

#include <algorithm>
#include <memory>

namespace app {

namespace {

struct ListDeleter {
    void operator()(GList* list) const { g_list_free_full(list, g_object_unref); }
};
using AppInfoList = std::unique_ptr<GList, ListDeleter>;

bool isOwn(GAppInfo* application) {
    const char* id = g_app_info_get_id(application);
    return id && std::ranges::find(ownDesktopIDs, std::string_view(id)) != std::end(ownDesktopIDs);
}

} // namespace

std::string contentTypeOf(const std::filesystem::path& path) {
    auto file = notes::adoptGObject(g_file_new_for_path(path.c_str()));
    auto info = notes::adoptGObject(g_file_query_info(file.get(),
                                                      G_FILE_ATTRIBUTE_STANDARD_FAST_CONTENT_TYPE,
                                                      G_FILE_QUERY_INFO_NONE, nullptr, nullptr));
    if (info) {
        if (const char* type = g_file_info_get_attribute_string(
                info.get(), G_FILE_ATTRIBUTE_STANDARD_FAST_CONTENT_TYPE))
            return type;
    }
    notes::GTextPtr guessed(g_content_type_guess(path.c_str(), nullptr, 0, nullptr));
    return guessed ? guessed.get() : "application/octet-stream";
}

std::vector<notes::GObjectPtr<GAppInfo>> otherApplicationsFor(const std::string& contentType) {
    std::vector<notes::GObjectPtr<GAppInfo>> found;
    const auto add = [&found](GAppInfo* application) {
        if (isOwn(application))
            return;
        for (const auto& known : found) {
            if (g_app_info_equal(known.get(), application))
                return;
        }
        found.push_back(notes::retainGObject(application));
    };
    // The list need not start with the user's choice of default, so that goes first.
    if (auto preferred =
            notes::adoptGObject(g_app_info_get_default_for_type(contentType.c_str(), FALSE)))
        add(preferred.get());
    AppInfoList all(g_app_info_get_all_for_type(contentType.c_str()));
    for (GList* item = all.get(); item; item = item->next)
        add(G_APP_INFO(item->data));
    return found;
}

bool findObsidian() {
    AppInfoList handlers(g_app_info_get_all_for_type("x-scheme-handler/obsidian"));
    if (handlers)
        return true;
    AppInfoList all(g_app_info_get_all());
    for (GList* item = all.get(); item; item = item->next) {
        const char* id = g_app_info_get_id(G_APP_INFO(item->data));
        if (id && std::string_view(id).starts_with("md.obsidian"))
            return true;
    }
    return false;
}

} // namespace app
