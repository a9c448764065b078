#include "reader/model/WebBridge.hpp"

#include <cmath>
#include <limits>

namespace reader {
namespace {

using nlohmann::json;

// The page's number for a value: script Booleans reach us as numbers (1 or 0), as the page's
// own engine hands them over.
std::optional<double> scriptNumber(const json& value) {
    if (value.is_boolean())
        return value.get<bool>() ? 1.0 : 0.0;
    if (value.is_number())
        return value.get<double>();
    return std::nullopt;
}

bool fitsInt(double whole) {
    return whole >= static_cast<double>(std::numeric_limits<int>::min()) &&
           whole <= static_cast<double>(std::numeric_limits<int>::max());
}

// A number truncated toward zero; none when it is not finite or too large for a line number,
// since converting such a value would be undefined.
std::optional<int> truncatedNumber(const json& value) {
    auto number = scriptNumber(value);
    if (!number || !std::isfinite(*number))
        return std::nullopt;
    double whole = std::trunc(*number);
    if (!fitsInt(whole))
        return std::nullopt;
    return static_cast<int>(whole);
}

// A number only when its value is exactly a whole number that fits.
std::optional<int> exactWholeNumber(const json& value) {
    auto number = scriptNumber(value);
    if (!number || !std::isfinite(*number) || std::trunc(*number) != *number || !fitsInt(*number))
        return std::nullopt;
    return static_cast<int>(*number);
}

int wholeField(const json& object, const char* key) {
    auto found = object.find(key);
    if (found == object.end())
        return 0;
    return exactWholeNumber(*found).value_or(0);
}

constexpr int defaultTopLine = 1;

int topLineFrom(const PageScripting::Result& result) {
    const auto* value = std::get_if<json>(&result);
    if (!value)
        return defaultTopLine;
    return truncatedNumber(*value).value_or(defaultTopLine);
}

FindStatus findStatusOf(const json& value) {
    if (!value.is_object())
        return {};
    return {wholeField(value, "current"), wholeField(value, "count")};
}

FindStatus findStatusFrom(const PageScripting::Result& result) {
    const auto* value = std::get_if<json>(&result);
    return value ? findStatusOf(*value) : FindStatus{};
}

// Appends the argument; false when JSON cannot carry it.
bool append(json& array, const WebBridge::Argument& argument) {
    if (const auto* number = std::get_if<double>(&argument); number && !std::isfinite(*number))
        return false;
    std::visit([&](const auto& value) { array.push_back(value); }, argument);
    return true;
}

std::string argumentList(const WebBridge::Arguments& arguments) {
    json array = json::array();
    for (const auto& argument : arguments) {
        if (!append(array, argument))
            return "[]";
    }
    // Invalid UTF-8 in a text becomes the replacement character rather than failing the call.
    return array.dump(-1, ' ', false, json::error_handler_t::replace);
}

} // namespace

std::string WebBridge::call(std::string_view name, const Arguments& arguments) {
    std::string list = argumentList(arguments);
    std::string text(name);
    text += '(';
    text.append(list, 1, list.size() - 2);
    text += ')';
    return text;
}

void WebBridge::send(std::string_view name, const Arguments& arguments) const {
    if (auto view = webView())
        view->evaluate(call(name, arguments));
}

void WebBridge::scrollToAnchor(const std::string& id) const {
    send("mdr.scrollToAnchor", {id});
}

void WebBridge::scrollToLine(int line) const {
    send("mdr.scrollToLine", {static_cast<long long>(line)});
}

void WebBridge::setContent(const std::string& html, std::optional<int> line) const {
    if (line)
        send("mdr.setContent", {html, static_cast<long long>(*line)});
    else
        send("mdr.setContent", {html});
}

void WebBridge::setAppearance(const notes::PageAppearance& appearance) const {
    send("mdr.setAppearance", {std::string(notes::rawValue(appearance.typeface)),
                               appearance.textScale, notes::pageMeasure(appearance.lineWidth)});
}

void WebBridge::topLine(std::function<void(int)> done) const {
    auto view = webView();
    if (!view) {
        done(defaultTopLine);
        return;
    }
    // The completion may outlive the bridge, so it holds nothing of it.
    view->evaluate("mdr.topLine()", [done = std::move(done)](PageScripting::Result result) {
        done(topLineFrom(result));
    });
}

void WebBridge::evaluate(std::string_view name, const Arguments& arguments,
                         std::function<void(FindStatus)> done) const {
    auto view = webView();
    if (!view) {
        done(FindStatus{});
        return;
    }
    view->evaluate(call(name, arguments), [done = std::move(done)](PageScripting::Result result) {
        done(findStatusFrom(result));
    });
}

void WebBridge::dispatchMessage(const json& body,
                                const std::optional<markdown::URL>& loadedFile) const {
    if (!body.is_object())
        return;
    auto type = body.find("type");
    if (type == body.end() || !type->is_string())
        return;
    const auto& kind = type->get_ref<const std::string&>();

    if (kind == "heading") {
        auto id = body.find("id");
        if (id != body.end() && id->is_string())
            headingChanged.emit(id->get<std::string>());
        else
            headingChanged.emit(std::nullopt);
    } else if (kind == "scroll") {
        auto y = body.find("y");
        if (y == body.end() || !loadedFile)
            return;
        // A non-finite offset would be written back into the page as a start position.
        auto offset = scriptNumber(*y);
        if (offset && std::isfinite(*offset))
            scrolled.emit(*loadedFile, *offset);
    } else if (kind == "copy") {
        auto text = body.find("text");
        if (text != body.end() && text->is_string())
            copyRequested.emit(text->get<std::string>());
    } else if (kind == "find") {
        findRefreshed.emit(findStatusOf(body));
    }
}

} // namespace reader
