#include "ui/Markup.h"

#include <regex>

namespace ui {

namespace {

std::string Escape(const std::string &s) {
    std::string out;
    for (char c : s) {
        switch (c) {
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '&':
            out += "&amp;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string Attr(const std::string &attrs, const std::string &name) {
    std::regex re(name + "\\s*=\\s*['\"]([^'\"]*)['\"]", std::regex::icase);
    std::smatch m;
    return std::regex_search(attrs, m, re) ? m[1].str() : std::string();
}

} // namespace

std::string TextBlockToHtml(const std::string &markup) {
    std::regex block("<TextBlock([^>]*)>(.*?)</TextBlock>", std::regex::icase);
    std::string out;
    auto begin = std::sregex_iterator(markup.begin(), markup.end(), block);
    std::size_t last = 0;
    for (auto it = begin; it != std::sregex_iterator(); ++it) {
        const auto &m = *it;
        out += Escape(markup.substr(last, static_cast<std::size_t>(m.position()) - last));
        std::string attrs = m[1].str();
        std::string style;
        std::string color = Attr(attrs, "Foreground");
        if (!color.empty()) {
            style += "color:" + color + ";";
        }
        std::string weight = Attr(attrs, "FontWeight");
        if (!weight.empty()) {
            style += "font-weight:" + weight + ";";
        }
        out += "<span style=\"" + style + "\">" + Escape(m[2].str()) + "</span>";
        last = static_cast<std::size_t>(m.position() + m.length());
    }
    out += Escape(markup.substr(last));
    return out;
}

} // namespace ui
