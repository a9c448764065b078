#pragma once

#include "notes/render/OutlineHeading.hpp"

#include <glibmm/object.h>
#include <glibmm/refptr.h>

namespace app {

/// One heading as an item of the outline's list model, with its indent below the note's
/// highest level.
class OutlineItem : public Glib::Object {
public:
    static Glib::RefPtr<OutlineItem> create(notes::OutlineHeading heading, int depth);

    [[nodiscard]] const notes::OutlineHeading& heading() const { return value; }
    /// 0 for the note's highest level of heading, one more for each level below.
    [[nodiscard]] int depth() const { return indent; }

protected:
    OutlineItem(notes::OutlineHeading heading, int depth);

private:
    notes::OutlineHeading value;
    int indent;
};

} // namespace app
