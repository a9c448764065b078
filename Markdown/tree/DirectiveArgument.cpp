#include "Markdown/tree/DirectiveArgument.hpp"

#include "Markdown/support/UnicodeText.hpp"

namespace markdown {

bool operator==(const DirectiveArgument& a, const DirectiveArgument& b) {
    return a.nameRange == b.nameRange && a.valueRange == b.valueRange &&
           a.hasTrailingComma == b.hasTrailingComma && canonicallyEqual(a.name, b.name) &&
           canonicallyEqual(a.value, b.value);
}

} // namespace markdown
