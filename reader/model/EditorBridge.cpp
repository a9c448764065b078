#include "reader/model/EditorBridge.hpp"

#include <string_view>

namespace reader {
namespace {

int lineBreakCount(std::string_view text) {
    int count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            ++count;
        } else if (text[i] == '\r') {
            ++count;
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        }
    }
    return count;
}

} // namespace

int EditorBridge::topVisibleLine() const {
    auto view = textView();
    if (!view)
        return 1;
    auto before = view->textBeforePointBelowTop(topLineProbeDistance);
    if (!before)
        return 1;
    return lineBreakCount(*before) + 1;
}

bool EditorBridge::hasScrolledSinceOpening() const {
    auto view = textView();
    return !view || view->hasScrolledSinceOpening();
}

} // namespace reader
