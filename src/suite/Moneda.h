#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace suite {

// Exact currency: a count of ten-thousandths, so sums of amounts never drift.
class Moneda {
  public:
    static constexpr std::int64_t kEscala = 10000;

    constexpr Moneda() = default;

    static constexpr Moneda FromUnits(std::int64_t units) {
        Moneda m;
        m.units_ = units;
        return m;
    }
    // Rounded half away from zero to four decimals.
    static Moneda FromDouble(double value);
    static Moneda FromLong(std::int64_t whole) { return FromUnits(whole * kEscala); }
    // Accepts "1234,56", "1234.56", "-0.5", "1.234,56"; blanks around allowed. Empty or garbage -> nullopt.
    static std::optional<Moneda> Parse(std::string_view text);

    constexpr std::int64_t Units() const { return units_; }
    double ToDouble() const { return static_cast<double>(units_) / kEscala; }
    // Rounded half away from zero to `decimals` (0..4); more than four is a no-op.
    Moneda Redondear(int decimals) const;
    bool EsCero() const { return units_ == 0; }

    Moneda operator-() const { return FromUnits(-units_); }
    Moneda operator+(Moneda o) const { return FromUnits(units_ + o.units_); }
    Moneda operator-(Moneda o) const { return FromUnits(units_ - o.units_); }
    Moneda &operator+=(Moneda o) {
        units_ += o.units_;
        return *this;
    }
    Moneda &operator-=(Moneda o) {
        units_ -= o.units_;
        return *this;
    }
    Moneda operator*(std::int64_t factor) const { return FromUnits(units_ * factor); }
    // Divisions and rates round half away from zero to four decimals.
    Moneda operator/(std::int64_t divisor) const;
    Moneda operator*(double rate) const;
    Moneda operator/(double rate) const;
    Moneda operator*(Moneda rate) const;
    Moneda operator/(Moneda rate) const;
    Moneda operator*(int factor) const { return *this * static_cast<std::int64_t>(factor); }
    Moneda operator/(int divisor) const { return *this / static_cast<std::int64_t>(divisor); }

    constexpr auto operator<=>(const Moneda &) const = default;
    constexpr bool operator==(const Moneda &) const = default;

  private:
    std::int64_t units_ = 0;
};

} // namespace suite
