#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace notes {

/// One heading of a note, as the outline lists it. Identified by `id`.
struct OutlineHeading {
    std::string id;   ///< The anchor: the `id` attribute of the heading element.
    int level = 1;    ///< 1 to 6.
    std::string text; ///< The plain text, without spaces and tabs at the ends.

    /// Equal when all three fields are; texts compare by canonical equivalence.
    friend bool operator==(const OutlineHeading& a, const OutlineHeading& b);
};

} // namespace notes

template <> struct std::hash<notes::OutlineHeading> {
    /// Over all three fields, consistent with canonical equality.
    std::size_t operator()(const notes::OutlineHeading& heading) const;
};
