#include "suite/Fecha.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <vector>

namespace suite {

namespace {

using namespace std::chrono;

std::int32_t DaysFromCivil(int y, int m, int d) {
    return static_cast<std::int32_t>(
        sys_days(year_month_day(year(y), month(static_cast<unsigned>(m)), day(static_cast<unsigned>(d))))
            .time_since_epoch()
            .count());
}

year_month_day Civil(std::int32_t dias) {
    return year_month_day(sys_days(days(dias)));
}

bool IsDigits(std::string_view s) {
    if (s.empty()) {
        return false;
    }
    for (char c : s) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

int ToInt(std::string_view s) {
    int v = 0;
    for (char c : s) {
        v = v * 10 + (c - '0');
    }
    return v;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n')) {
        s.remove_suffix(1);
    }
    return s;
}

std::vector<std::string_view> Split(std::string_view s, char sep) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        std::size_t at = s.find(sep, start);
        parts.push_back(s.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start));
        if (at == std::string_view::npos) {
            return parts;
        }
        start = at + 1;
    }
}

// "hh:mm", "hh:mm:ss" or "hh:mm:ss.fff" (fraction dropped).
bool ParseTime(std::string_view s, int &h, int &mi, int &se) {
    std::size_t dot = s.find('.');
    if (dot != std::string_view::npos) {
        if (!IsDigits(s.substr(dot + 1))) {
            return false;
        }
        s = s.substr(0, dot);
    }
    auto parts = Split(s, ':');
    if (parts.size() < 2 || parts.size() > 3) {
        return false;
    }
    for (auto p : parts) {
        if (!IsDigits(p) || p.size() > 2) {
            return false;
        }
    }
    h = ToInt(parts[0]);
    mi = ToInt(parts[1]);
    se = parts.size() == 3 ? ToInt(parts[2]) : 0;
    return true;
}

std::string Two(int v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d", v);
    return buf;
}

std::string Four(int v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%04d", v);
    return buf;
}

} // namespace

Fecha::Fecha() : dias_(DaysFromCivil(1900, 1, 1)), segundos_(0) {}

std::optional<Fecha> Fecha::Desde(int anio, int mes, int dia, int hora, int minuto, int segundo) {
    if (anio < 1 || anio > 9999 || mes < 1 || mes > 12 || dia < 1) {
        return std::nullopt;
    }
    if (!year_month_day(year(anio), month(static_cast<unsigned>(mes)), day(static_cast<unsigned>(dia)))
             .ok()) {
        return std::nullopt;
    }
    if (hora < 0 || hora > 23 || minuto < 0 || minuto > 59 || segundo < 0 || segundo > 59) {
        return std::nullopt;
    }
    return Fecha(DaysFromCivil(anio, mes, dia), hora * 3600 + minuto * 60 + segundo);
}

std::optional<Fecha> Fecha::Parse(std::string_view text) {
    text = Trim(text);
    std::string_view datePart = text;
    std::string_view timePart;
    std::size_t cut = text.find_first_of(" T");
    if (cut != std::string_view::npos) {
        datePart = text.substr(0, cut);
        timePart = Trim(text.substr(cut + 1));
        if (timePart.empty()) {
            return std::nullopt;
        }
    }
    int h = 0;
    int mi = 0;
    int se = 0;
    if (!timePart.empty() && !ParseTime(timePart, h, mi, se)) {
        return std::nullopt;
    }
    char sep = 0;
    for (char c : {'/', '-', '.'}) {
        if (datePart.find(c) != std::string_view::npos) {
            sep = c;
            break;
        }
    }
    if (sep == 0) {
        return std::nullopt;
    }
    auto parts = Split(datePart, sep);
    if (parts.size() != 3) {
        return std::nullopt;
    }
    for (auto p : parts) {
        if (!IsDigits(p)) {
            return std::nullopt;
        }
    }
    if (parts[0].size() == 4 && sep == '-' && parts[1].size() <= 2 && parts[2].size() <= 2) {
        return Desde(ToInt(parts[0]), ToInt(parts[1]), ToInt(parts[2]), h, mi, se);
    }
    if (parts[0].size() <= 2 && parts[1].size() <= 2 && parts[2].size() == 4) {
        return Desde(ToInt(parts[2]), ToInt(parts[1]), ToInt(parts[0]), h, mi, se);
    }
    return std::nullopt;
}

std::optional<Fecha> Fecha::DesdeDDMMAAAA(std::string_view text) {
    text = Trim(text);
    if (text.size() != 8 || !IsDigits(text)) {
        return std::nullopt;
    }
    return Desde(ToInt(text.substr(4, 4)), ToInt(text.substr(2, 2)), ToInt(text.substr(0, 2)));
}

std::optional<Fecha> Fecha::DesdeAAAAMMDD(std::string_view text) {
    text = Trim(text);
    if (text.size() != 8 || !IsDigits(text)) {
        return std::nullopt;
    }
    return Desde(ToInt(text.substr(0, 4)), ToInt(text.substr(4, 2)), ToInt(text.substr(6, 2)));
}

Fecha Fecha::Hoy() {
    return Ahora().SoloFecha();
}

Fecha Fecha::Ahora() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return *Desde(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                  local.tm_sec > 59 ? 59 : local.tm_sec);
}

bool Fecha::EsVacia() const {
    return dias_ == Fecha().dias_;
}

int Fecha::Anio() const {
    return static_cast<int>(Civil(dias_).year());
}

int Fecha::Mes() const {
    return static_cast<int>(static_cast<unsigned>(Civil(dias_).month()));
}

int Fecha::Dia() const {
    return static_cast<int>(static_cast<unsigned>(Civil(dias_).day()));
}

int Fecha::DiaSemana() const {
    return static_cast<int>(weekday(sys_days(days(dias_))).iso_encoding());
}

Fecha Fecha::SumarDias(std::int64_t n) const {
    return Fecha(static_cast<std::int32_t>(dias_ + n), segundos_);
}

Fecha Fecha::SoloFecha() const {
    return Fecha(dias_, 0);
}

std::string Fecha::Texto() const {
    std::string s = Formato("dd/mm/yyyy");
    if (TieneHora()) {
        s += Formato(" hh:nn:ss");
    }
    return s;
}

std::string Fecha::Iso() const {
    std::string s = Formato("yyyy-mm-dd");
    if (TieneHora()) {
        s += Formato(" hh:nn:ss");
    }
    return s;
}

std::string Fecha::Formato(std::string_view patron) const {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    auto at = [&](std::size_t i, std::string_view token) {
        if (i + token.size() > patron.size()) {
            return false;
        }
        for (std::size_t k = 0; k < token.size(); ++k) {
            if (lower(patron[i + k]) != token[k]) {
                return false;
            }
        }
        return true;
    };
    std::string out;
    for (std::size_t i = 0; i < patron.size();) {
        if (at(i, "yyyy")) {
            out += Four(Anio());
            i += 4;
        } else if (at(i, "yy")) {
            out += Two(Anio() % 100);
            i += 2;
        } else if (at(i, "dd")) {
            out += Two(Dia());
            i += 2;
        } else if (at(i, "mm")) {
            out += Two(Mes());
            i += 2;
        } else if (at(i, "hh")) {
            out += Two(Hora());
            i += 2;
        } else if (at(i, "nn")) {
            out += Two(Minuto());
            i += 2;
        } else if (at(i, "ss")) {
            out += Two(Segundo());
            i += 2;
        } else {
            out += patron[i];
            ++i;
        }
    }
    return out;
}

} // namespace suite
