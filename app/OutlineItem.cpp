#include "app/OutlineItem.hpp"

#include <utility>

namespace app {

OutlineItem::OutlineItem(notes::OutlineHeading heading, int depth)
    : value(std::move(heading)), indent(depth) {}

Glib::RefPtr<OutlineItem> OutlineItem::create(notes::OutlineHeading heading, int depth) {
    return Glib::make_refptr_for_instance(new OutlineItem(std::move(heading), depth));
}

} // namespace app
