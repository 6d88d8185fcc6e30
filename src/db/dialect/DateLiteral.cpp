#include "db/dialect/Rewriter.h"

#include <cctype>
#include <cstdio>

namespace db::dialect {

namespace {

bool ValidDate(int y, int m, int d) {
    if (y < 1753 || y > 9999 || m < 1 || m > 12 || d < 1) {
        return false;
    }
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int maxd = days[m - 1];
    if (m == 2 && ((y % 4 == 0 && y % 100 != 0) || y % 400 == 0)) {
        maxd = 29;
    }
    return d <= maxd;
}

bool AllDigits(const std::string &s) {
    if (s.empty()) {
        return false;
    }
    for (char c : s) {
        if (!std::isdigit(static_cast<unsigned char>(c))) {
            return false;
        }
    }
    return true;
}

std::string Trim(const std::string &s) {
    std::size_t b = s.find_first_not_of(' ');
    if (b == std::string::npos) {
        return {};
    }
    std::size_t e = s.find_last_not_of(' ');
    return s.substr(b, e - b + 1);
}

} // namespace

std::optional<std::string> DateLiteralToIso(const std::string &raw) {
    // The module writes "dd/mm/yyyy" almost always: convert it without allocating on the way.
    if (raw.size() == 10 && raw[2] == '/' && raw[5] == '/') {
        auto dg = [&](int i) { return raw[i] >= '0' && raw[i] <= '9'; };
        if (dg(0) && dg(1) && dg(3) && dg(4) && dg(6) && dg(7) && dg(8) && dg(9)) {
            int d = (raw[0] - '0') * 10 + (raw[1] - '0'), m = (raw[3] - '0') * 10 + (raw[4] - '0');
            int y = (raw[6] - '0') * 1000 + (raw[7] - '0') * 100 + (raw[8] - '0') * 10 + (raw[9] - '0');
            if (!ValidDate(y, m, d)) {
                return std::nullopt;
            }
            std::string out = "yyyy-mm-dd";
            out[0] = raw[6], out[1] = raw[7], out[2] = raw[8], out[3] = raw[9];
            out[5] = raw[3], out[6] = raw[4], out[8] = raw[0], out[9] = raw[1];
            return out;
        }
    }
    std::string text = Trim(raw);
    if (text.empty()) {
        return std::string("1900-01-01");
    }
    std::string datePart = text, timePart;
    if (text.find(':') != std::string::npos && text.find_first_of("/-. T") == std::string::npos) {
        // A time alone is that time on SQL Server's day zero.
        datePart = "1900-01-01";
        timePart = text;
    }
    std::size_t sp = timePart.empty() ? text.find_first_of(" T") : std::string::npos;
    if (sp != std::string::npos) {
        datePart = text.substr(0, sp);
        timePart = Trim(text.substr(sp + 1));
    }
    int y = 0, m = 0, d = 0;
    if (datePart.find('/') != std::string::npos || datePart.find('.') != std::string::npos) {
        char sep = datePart.find('/') != std::string::npos ? '/' : '.';
        std::size_t a = datePart.find(sep), b = datePart.find(sep, a + 1);
        if (b == std::string::npos) {
            return std::nullopt;
        }
        std::string ds = datePart.substr(0, a), ms = datePart.substr(a + 1, b - a - 1), ys = datePart.substr(b + 1);
        if (!AllDigits(ds) || !AllDigits(ms) || !AllDigits(ys) || ds.size() > 2 || ms.size() > 2 ||
            ys.size() != 4) {
            return std::nullopt;
        }
        d = std::stoi(ds);
        m = std::stoi(ms);
        y = std::stoi(ys);
    } else if (datePart.size() == 10 && datePart[4] == '-' && datePart[7] == '-') {
        std::string ys = datePart.substr(0, 4), ms = datePart.substr(5, 2), ds = datePart.substr(8, 2);
        if (!AllDigits(ys) || !AllDigits(ms) || !AllDigits(ds)) {
            return std::nullopt;
        }
        y = std::stoi(ys);
        m = std::stoi(ms);
        d = std::stoi(ds);
    } else if (datePart.size() == 8 && AllDigits(datePart)) {
        y = std::stoi(datePart.substr(0, 4));
        m = std::stoi(datePart.substr(4, 2));
        d = std::stoi(datePart.substr(6, 2));
    } else {
        return std::nullopt;
    }
    if (!ValidDate(y, m, d)) {
        return std::nullopt;
    }
    int hh = 0, mi = 0, ss = 0;
    if (!timePart.empty()) {
        std::size_t dot = timePart.find('.');
        if (dot != std::string::npos) {
            if (!AllDigits(timePart.substr(dot + 1))) {
                return std::nullopt;
            }
            timePart = timePart.substr(0, dot);
        }
        std::size_t a = timePart.find(':');
        if (a == std::string::npos) {
            return std::nullopt;
        }
        std::size_t b = timePart.find(':', a + 1);
        std::string hs = timePart.substr(0, a);
        std::string ms = timePart.substr(a + 1, b == std::string::npos ? std::string::npos : b - a - 1);
        std::string ss2 = b == std::string::npos ? "0" : timePart.substr(b + 1);
        if (!AllDigits(hs) || !AllDigits(ms) || !AllDigits(ss2) || hs.size() > 2 || ms.size() > 2 ||
            ss2.size() > 2) {
            return std::nullopt;
        }
        hh = std::stoi(hs);
        mi = std::stoi(ms);
        ss = std::stoi(ss2);
        if (hh > 23 || mi > 59 || ss > 59) {
            return std::nullopt;
        }
    }
    char buf[32];
    if (hh == 0 && mi == 0 && ss == 0) {
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", y, m, d);
    } else {
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", y, m, d, hh, mi, ss);
    }
    return std::string(buf);
}

} // namespace db::dialect
