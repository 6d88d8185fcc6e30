#include "app/Celda.h"

#include <cstdio>

namespace app {

namespace {

std::string DateText(const std::string &iso) {
    if (iso.size() < 10) {
        return iso;
    }
    std::string out = iso.substr(8, 2) + "/" + iso.substr(5, 2) + "/" + iso.substr(0, 4);
    if (iso.size() >= 19 && iso.substr(11, 8) != "00:00:00") {
        out += " " + iso.substr(11, 8);
    }
    return out;
}

} // namespace

std::string Importe(std::int64_t units) {
    bool neg = units < 0;
    unsigned long long u = neg ? static_cast<unsigned long long>(-units) : static_cast<unsigned long long>(units);
    char buf[48];
    std::snprintf(buf, sizeof buf, "%s%llu.%04llu", neg ? "-" : "", u / 10000, u % 10000);
    std::string s = buf;
    while (s.size() > 2 && s.back() == '0' && s[s.size() - 3] != '.') {
        s.pop_back();
    }
    return s;
}

std::string Celda(const db::Field &f) {
    switch (f.Kind()) {
    case db::FieldKind::Null:
        return "";
    case db::FieldKind::Date:
        return DateText(f.AsText());
    case db::FieldKind::Currency:
    case db::FieldKind::Real:
        return Importe(f.AsCurrencyUnits());
    default: {
        std::string s = f.AsText();
        for (char &c : s) {
            if (c == '\t' || c == '\n' || c == '\r') {
                c = ' ';
            }
        }
        return s;
    }
    }
}

} // namespace app
