#include "notes/page/PageTemplate.hpp"

#include "notes/text/DecimalText.hpp"
#include "notes/text/EscapeHTML.hpp"

namespace notes {

namespace {

std::string attribute(std::string_view name, std::string_view value) {
    std::string text = " ";
    text += name;
    text += "=\"";
    text += value;
    text += '"';
    return text;
}

std::string startAttribute(std::optional<std::string_view> anchor, std::optional<double> scroll,
                           std::optional<long> scrollLine) {
    if (anchor)
        return attribute(pageAnchorAttribute, escapeHTML(*anchor));
    // Line 1 is the top anyway, so it leaves room for a scroll offset.
    if (scrollLine && *scrollLine >= 2)
        return attribute("data-line", std::to_string(*scrollLine));
    if (scroll && *scroll > 0)
        return attribute("data-scroll", decimalText(*scroll));
    return {};
}

} // namespace

std::string makePageHTML(std::string_view bodyHTML, const PageAppearance& appearance,
                         std::optional<std::string_view> anchor, std::optional<double> scroll,
                         std::optional<long> scrollLine) {
    std::string page;
    page.reserve(bodyHTML.size() + 1024);
    page += "<!doctype html>\n<html style=\"--scale: ";
    page += decimalText(appearance.textScale);
    page += "; --measure: ";
    page += decimalText(pageMeasure(appearance.lineWidth));
    page += "rem\">\n<head>\n<meta charset=\"utf-8\">\n"
            "<meta http-equiv=\"Content-Security-Policy\" content=\"";
    page += pageContentSecurityPolicy;
    page += "\">\n<meta name=\"color-scheme\" content=\"light dark\">\n"
            "<link rel=\"stylesheet\" href=\"mdreader://app/reader.css";
    // In the head, where no note text can reach them: an unclosed comment, <style>, <textarea>,
    // <title>, <noscript>, <xmp> or <plaintext> in the note would swallow scripts after it.
    // Deferred, they still run in this order once the whole page is parsed.
    page += "\">\n<script defer src=\"mdreader://app/highlight.min.js";
    page += "\"></script>\n<script defer src=\"mdreader://app/reader.js";
    page += "\"></script>\n</head>\n<body class=\"font-";
    page += rawValue(appearance.typeface);
    page += '"';
    page += startAttribute(anchor, scroll, scrollLine);
    page += ">\n<main id=\"content\">\n";
    page += bodyHTML;
    page += "\n</main>\n</body>\n</html>";
    return page;
}

} // namespace notes
