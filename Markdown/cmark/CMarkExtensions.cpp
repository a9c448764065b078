#include "Markdown/cmark/CMarkExtensions.hpp"

#include "Markdown/cmark/AttributeExtension.hpp"
#include "Markdown/support/Fatal.hpp"

#include <mutex>
#include <string>

#include <cmark-gfm-core-extensions.h>
#include <cmark-gfm.h>
#include <cmark-gfm/registry.h>
#include <cmark-gfm_version.h>

namespace markdown {
namespace {

// The internal headers our extension code includes describe exactly this release.
static_assert(CMARK_GFM_VERSION == ((0 << 24) | (29 << 16) | (0 << 8) | 13),
              "the cmark-gfm binding is written against 0.29.0.gfm.13");

std::string versionText(int version) {
    return std::to_string(version >> 24 & 0xff) + "." + std::to_string(version >> 16 & 0xff) + "." +
           std::to_string(version >> 8 & 0xff) + ".gfm." + std::to_string(version & 0xff);
}

} // namespace

void requireCMarkVersion(int loadedVersion) {
    if (loadedVersion != CMARK_GFM_VERSION)
        fatal("cmark-gfm " + versionText(loadedVersion) +
              " is loaded, but the program was built with " + versionText(CMARK_GFM_VERSION));
}

void registerCMarkExtensions() {
    static std::once_flag once;
    std::call_once(once, [] {
        requireCMarkVersion(cmark_version());
        // Neither registration guards itself against a second thread.
        cmark_gfm_core_extensions_ensure_registered();
        cmark_register_plugin(registerAttributeExtension);
        allowAttributesInTableCells();
    });
}

} // namespace markdown
