#include "notes/render/ListTightness.hpp"

#include "Markdown/tree/ListTightness.hpp"

namespace notes {

bool isTightList(const markdown::RawMarkup& list) {
    return markdown::isTightList(list);
}

} // namespace notes
