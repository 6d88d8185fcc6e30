#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace suite {

// A calendar date with an optional time of day. 01/01/1900 stands for "no date", as in the suite.
class Fecha {
  public:
    // The empty date, 01/01/1900.
    Fecha();

    static Fecha Vacia() { return Fecha(); }
    // Refuses impossible dates and times (31/02, month 13, day 0, 24:00).
    static std::optional<Fecha> Desde(int anio, int mes, int dia, int hora = 0, int minuto = 0,
                                      int segundo = 0);
    // Day-first "d/m/yyyy" (also '-' or '.' between parts) with optional " hh:mm[:ss]", or ISO
    // "yyyy-mm-dd[ hh:mm[:ss[.fff]]]" (also with 'T'). Eight bare digits are refused: use the two below.
    static std::optional<Fecha> Parse(std::string_view text);
    static std::optional<Fecha> DesdeDDMMAAAA(std::string_view text);
    static std::optional<Fecha> DesdeAAAAMMDD(std::string_view text);
    // Local date, and local date and time to the second.
    static Fecha Hoy();
    static Fecha Ahora();

    bool EsVacia() const;
    bool TieneHora() const { return segundos_ != 0; }
    int Anio() const;
    int Mes() const;
    int Dia() const;
    int Hora() const { return segundos_ / 3600; }
    int Minuto() const { return segundos_ / 60 % 60; }
    int Segundo() const { return segundos_ % 60; }
    // ISO weekday: 1 Monday ... 7 Sunday.
    int DiaSemana() const;

    Fecha SumarDias(std::int64_t dias) const;
    // Whole calendar days from this date to `otra` (times ignored).
    std::int64_t DiasHasta(const Fecha &otra) const { return otra.dias_ - dias_; }
    Fecha SoloFecha() const;

    // "dd/mm/yyyy", plus " hh:mm:ss" when the time is not midnight.
    std::string Texto() const;
    // "yyyy-mm-dd", plus " hh:mm:ss" when the time is not midnight.
    std::string Iso() const;
    // Tokens dd, mm, yyyy, yy, hh, nn (minutes), ss, case-insensitive; other characters kept.
    std::string Formato(std::string_view patron) const;

    auto operator<=>(const Fecha &) const = default;
    bool operator==(const Fecha &) const = default;

  private:
    Fecha(std::int32_t dias, std::int32_t segundos) : dias_(dias), segundos_(segundos) {}

    std::int32_t dias_;     // days since 1970-01-01
    std::int32_t segundos_; // seconds since midnight
};

} // namespace suite
