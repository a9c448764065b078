#include "Markdown/tree/Replacement.hpp"

namespace markdown {

std::string Replacement::description() const {
    return range.diagnosticDescription(true) + ": fixit: " + replacementText;
}

} // namespace markdown
