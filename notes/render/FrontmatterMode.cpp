#include "notes/render/FrontmatterMode.hpp"

#include "notes/text/RawValueCase.hpp"

namespace notes {

std::string_view rawValue(FrontmatterMode mode) {
    return mode == FrontmatterMode::hidden ? "hidden" : "collapsed";
}

std::optional<FrontmatterMode> frontmatterModeFromRawValue(std::string_view text) {
    return caseWithRawValue<FrontmatterMode>(allFrontmatterModes, text);
}

} // namespace notes
