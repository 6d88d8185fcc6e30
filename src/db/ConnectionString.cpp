#include "db/ConnectionString.h"

namespace db {

namespace {

std::string Trim(const std::string &s) {
    auto b = s.find_first_not_of(" \t");
    auto e = s.find_last_not_of(" \t");
    return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

} // namespace

std::vector<std::pair<std::string, std::string>> ParseConnectionString(const std::string &text) {
    std::vector<std::pair<std::string, std::string>> out;
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t eq = text.find('=', i);
        std::size_t semi = text.find(';', i);
        if (eq == std::string::npos || (semi != std::string::npos && semi < eq)) {
            i = semi == std::string::npos ? text.size() : semi + 1;
            continue;
        }
        std::string key = Trim(text.substr(i, eq - i));
        std::size_t v = eq + 1;
        while (v < text.size() && (text[v] == ' ' || text[v] == '\t')) {
            ++v;
        }
        std::string value;
        if (v < text.size() && text[v] == '{') {
            ++v;
            while (v < text.size()) {
                if (text[v] == '}') {
                    if (v + 1 < text.size() && text[v + 1] == '}') {
                        value += '}';
                        v += 2;
                        continue;
                    }
                    ++v;
                    break;
                }
                value += text[v++];
            }
            semi = text.find(';', v);
        } else {
            semi = text.find(';', v);
            value = Trim(text.substr(v, (semi == std::string::npos ? text.size() : semi) - v));
        }
        out.emplace_back(key, value);
        i = semi == std::string::npos ? text.size() : semi + 1;
    }
    return out;
}

std::string ConnectionStringValue(const std::string &value) {
    bool plain = value.find_first_of(";{}") == std::string::npos && value == Trim(value);
    if (plain) {
        return value;
    }
    std::string out = "{";
    for (char c : value) {
        out += c;
        if (c == '}') {
            out += '}';
        }
    }
    return out + "}";
}

std::string EmbeddedExtendedProperties(const std::string &path,
                                       const std::vector<std::pair<std::string, std::string>> &attachments,
                                       const std::string &odbcString) {
    std::string out;
    if (odbcString.empty()) {
        out = "Provider=SQLite;Data Source=" + ConnectionStringValue(path);
    } else {
        out = "Provider=SQLite ODBC;" + odbcString;
    }
    for (const auto &[name, file] : attachments) {
        if (!out.empty() && out.back() != ';') {
            out += ';';
        }
        out += "Attach:" + name + "=" + ConnectionStringValue(file);
    }
    return out;
}

} // namespace db
