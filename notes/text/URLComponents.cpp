#include "notes/text/URLComponents.hpp"

namespace notes {

namespace {

bool isAlpha(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool isSchemeName(std::string_view text) {
    if (text.empty() || !isAlpha(text.front()))
        return false;
    for (char c : text) {
        if (!isAlpha(c) && !(c >= '0' && c <= '9') && c != '+' && c != '-' && c != '.')
            return false;
    }
    return true;
}

std::string hostOfAuthority(std::string_view authority) {
    if (auto at = authority.rfind('@'); at != std::string_view::npos)
        authority.remove_prefix(at + 1);
    // A port follows the last colon, unless that colon is inside an IPv6 literal.
    auto colon = authority.rfind(':');
    auto bracket = authority.rfind(']');
    if (colon != std::string_view::npos && (bracket == std::string_view::npos || colon > bracket))
        authority = authority.substr(0, colon);
    return std::string(authority);
}

} // namespace

URLComponents URLComponents::parse(std::string_view text) {
    URLComponents components;
    text = text.substr(0, text.find_first_of("?#"));
    auto colon = text.find(':');
    if (colon != std::string_view::npos && isSchemeName(text.substr(0, colon))) {
        components.scheme = std::string(text.substr(0, colon));
        text.remove_prefix(colon + 1);
    }
    if (text.starts_with("//")) {
        text.remove_prefix(2);
        auto slash = text.find('/');
        components.host = hostOfAuthority(text.substr(0, slash));
        text = slash == std::string_view::npos ? std::string_view{} : text.substr(slash);
    }
    components.path = std::string(text);
    return components;
}

} // namespace notes
