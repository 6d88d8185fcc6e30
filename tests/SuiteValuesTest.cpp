#include "suite/Fecha.h"
#include "suite/Formato.h"
#include "suite/Moneda.h"
#include "suite/Valor.h"
#include "suite/Windows1252.h"

#include <gtest/gtest.h>

#include <stdexcept>

using suite::Fecha;
using suite::Formato;
using suite::Moneda;
using suite::Valor;

namespace {

Moneda M(const char *text) {
    return Moneda::Parse(text).value();
}

Fecha F(int y, int m, int d, int h = 0, int mi = 0, int s = 0) {
    return Fecha::Desde(y, m, d, h, mi, s).value();
}

} // namespace

TEST(SuiteMoneda, ParsesBothDecimalMarksAndThousandsPoints) {
    EXPECT_EQ(M("1234,56").Units(), 12345600);
    EXPECT_EQ(M("1234.56").Units(), 12345600);
    EXPECT_EQ(M("-0.5").Units(), -5000);
    EXPECT_EQ(M("1.234,56").Units(), 12345600);
    EXPECT_EQ(M("1.234.567,8").Units(), 12345678000);
    EXPECT_EQ(M("1,234.56").Units(), 12345600);
    EXPECT_EQ(M("  +12 ").Units(), 120000);
    EXPECT_EQ(M(",5").Units(), 5000);
    EXPECT_EQ(M("0,00005").Units(), 1);
    EXPECT_EQ(M("-0,00005").Units(), -1);
    EXPECT_EQ(M("0,00004").Units(), 0);
}

TEST(SuiteMoneda, RefusesGarbage) {
    for (const char *bad : {"", "   ", "-", "abc", "12a", "1,2,3,4", "1.23,45", "12.34.5", "1..2", "1,2.3,4",
                            "--1", "1 234", ",", "1e5", "99999999999999999999"}) {
        EXPECT_FALSE(Moneda::Parse(bad).has_value()) << bad;
    }
}

TEST(SuiteMoneda, FromDoubleRoundsHalvesAwayFromZero) {
    EXPECT_EQ(Moneda::FromDouble(1.00005).Units(), 10001);
    EXPECT_EQ(Moneda::FromDouble(-1.00005).Units(), -10001);
    EXPECT_EQ(Moneda::FromDouble(1.00004999).Units(), 10000);
    EXPECT_EQ(Moneda::FromDouble(0.1 + 0.2).Units(), 3000);
    EXPECT_EQ(Moneda::FromDouble(1234567.89).Units(), 12345678900);
    EXPECT_THROW(Moneda::FromDouble(1.0 / 0.0), std::domain_error);
}

TEST(SuiteMoneda, SumsStayExact) {
    Moneda total;
    Moneda decimo = Moneda::FromDouble(0.1);
    for (int i = 0; i < 10000; ++i) {
        total += decimo;
    }
    EXPECT_EQ(total, Moneda::FromLong(1000));
    EXPECT_EQ(M("100,10") - M("0,1") - M("100"), Moneda());
    EXPECT_EQ(-M("3,5"), M("-3.5"));
    EXPECT_LT(M("-0,0001"), Moneda());
    EXPECT_GT(M("2"), M("1,9999"));
}

TEST(SuiteMoneda, MultiplyAndDivideRoundToFourDecimals) {
    EXPECT_EQ((M("10") / 3).Units(), 33333);
    EXPECT_EQ((M("20") / 3).Units(), 66667);
    EXPECT_EQ((M("-20") / 3).Units(), -66667);
    EXPECT_EQ((M("0,0001") / 2).Units(), 1);
    EXPECT_EQ((M("-0,0001") / 2).Units(), -1);
    EXPECT_EQ((M("12,5") * 3).Units(), 375000);
    EXPECT_EQ((M("100") * 0.07).Units(), 70000);
    EXPECT_EQ((M("33,33") * 0.065).Units(), 21665); // 2.16645 -> 2.1665
    EXPECT_EQ((M("33,33") * M("0,065")).Units(), 21665);
    EXPECT_EQ((M("-33,33") * M("0,065")).Units(), -21665);
    EXPECT_EQ((M("107") / 1.07).Units(), 1000000);
    EXPECT_EQ((M("10") / M("3")).Units(), 33333);
    EXPECT_THROW(M("1") / 0, std::domain_error);
    EXPECT_THROW(M("1") / Moneda(), std::domain_error);
}

TEST(SuiteMoneda, RedondearKeepsHalvesAwayFromZero) {
    EXPECT_EQ(M("0,005").Redondear(2), M("0,01"));
    EXPECT_EQ(M("-0,005").Redondear(2), M("-0,01"));
    EXPECT_EQ(M("0,0049").Redondear(2), Moneda());
    EXPECT_EQ(M("2,5").Redondear(0), M("3"));
    EXPECT_EQ(M("-2,5").Redondear(0), M("-3"));
    EXPECT_EQ(M("1,23456").Redondear(4), M("1,2346"));
    EXPECT_EQ(M("1,2345").Redondear(9), M("1,2345"));
    EXPECT_DOUBLE_EQ(M("-1234,5678").ToDouble(), -1234.5678);
}

TEST(SuiteFecha, ParsesEveryDayFirstAndIsoForm) {
    EXPECT_EQ(Fecha::Parse("05/03/2024"), F(2024, 3, 5));
    EXPECT_EQ(Fecha::Parse("5/3/2024"), F(2024, 3, 5));
    EXPECT_EQ(Fecha::Parse(" 5-3-2024 "), F(2024, 3, 5));
    EXPECT_EQ(Fecha::Parse("05/03/2024 14:30"), F(2024, 3, 5, 14, 30));
    EXPECT_EQ(Fecha::Parse("05/03/2024 14:30:15"), F(2024, 3, 5, 14, 30, 15));
    EXPECT_EQ(Fecha::Parse("2024-03-05"), F(2024, 3, 5));
    EXPECT_EQ(Fecha::Parse("2024-03-05 08:09:10"), F(2024, 3, 5, 8, 9, 10));
    EXPECT_EQ(Fecha::Parse("2024-03-05T08:09:10.123"), F(2024, 3, 5, 8, 9, 10));
    EXPECT_EQ(Fecha::DesdeDDMMAAAA("05032024"), F(2024, 3, 5));
    EXPECT_EQ(Fecha::DesdeAAAAMMDD("20240305"), F(2024, 3, 5));
}

TEST(SuiteFecha, RefusesImpossibleDatesAndMalformedText) {
    for (const char *bad :
         {"31/02/2024", "29/02/2023", "29/02/1900", "01/13/2024", "00/01/2024", "32/01/2024", "05/03/24",
          "2024/03/05 25:00", "05/03/2024 24:00", "05/03/2024 10:60", "05032024", "", "hoy", "2024-02-30",
          "1/1/2024 10", "05/03/2024 10:00 x"}) {
        EXPECT_FALSE(Fecha::Parse(bad).has_value()) << bad;
    }
    EXPECT_FALSE(Fecha::DesdeDDMMAAAA("31022024").has_value());
    EXPECT_FALSE(Fecha::DesdeDDMMAAAA("0503202").has_value());
    EXPECT_FALSE(Fecha::DesdeAAAAMMDD("20241301").has_value());
    EXPECT_FALSE(Fecha::DesdeAAAAMMDD("2024030a").has_value());
}

TEST(SuiteFecha, LeapDays) {
    EXPECT_TRUE(Fecha::Parse("29/02/2024").has_value());
    EXPECT_TRUE(Fecha::Parse("29/02/2000").has_value());
    EXPECT_FALSE(Fecha::Parse("29/02/2100").has_value());
    EXPECT_EQ(F(2024, 2, 28).SumarDias(1), F(2024, 2, 29));
    EXPECT_EQ(F(2023, 2, 28).SumarDias(1), F(2023, 3, 1));
    EXPECT_EQ(F(2024, 1, 1).DiasHasta(F(2025, 1, 1)), 366);
    EXPECT_EQ(F(2023, 1, 1).DiasHasta(F(2024, 1, 1)), 365);
    EXPECT_EQ(F(2024, 3, 1).SumarDias(-1).Dia(), 29);
}

TEST(SuiteFecha, Year1900IsTheEmptyDate) {
    EXPECT_TRUE(Fecha().EsVacia());
    EXPECT_EQ(Fecha(), F(1900, 1, 1));
    EXPECT_TRUE(Fecha::Parse("01/01/1900")->EsVacia());
    EXPECT_TRUE(Fecha::Parse("1900-01-01 00:00:00")->EsVacia());
    EXPECT_FALSE(F(1900, 1, 2).EsVacia());
    EXPECT_EQ(Fecha().Texto(), "01/01/1900");
}

TEST(SuiteFecha, AccessorsArithmeticAndWeekday) {
    Fecha f = F(2026, 12, 31, 23, 59, 58);
    EXPECT_EQ(f.Anio(), 2026);
    EXPECT_EQ(f.Mes(), 12);
    EXPECT_EQ(f.Dia(), 31);
    EXPECT_EQ(f.Hora(), 23);
    EXPECT_EQ(f.Minuto(), 59);
    EXPECT_EQ(f.Segundo(), 58);
    EXPECT_EQ(f.SumarDias(1), F(2027, 1, 1, 23, 59, 58));
    EXPECT_EQ(f.SumarDias(-365).SoloFecha(), F(2025, 12, 31));
    EXPECT_EQ(F(2024, 3, 5).DiasHasta(F(2024, 2, 5)), -29);
    EXPECT_EQ(F(2024, 3, 4).DiaSemana(), 1); // Monday
    EXPECT_EQ(F(2024, 3, 10).DiaSemana(), 7);
    EXPECT_EQ(F(1900, 1, 1).DiaSemana(), 1);
    EXPECT_LT(F(2024, 3, 5), F(2024, 3, 5, 0, 0, 1));
    EXPECT_EQ(Fecha::Hoy(), Fecha::Ahora().SoloFecha());
    EXPECT_FALSE(Fecha::Hoy().TieneHora());
}

TEST(SuiteFecha, TextsIsoAndPatterns) {
    EXPECT_EQ(F(2024, 3, 5).Texto(), "05/03/2024");
    EXPECT_EQ(F(2024, 3, 5, 7, 8, 9).Texto(), "05/03/2024 07:08:09");
    EXPECT_EQ(F(2024, 3, 5).Iso(), "2024-03-05");
    EXPECT_EQ(F(2024, 3, 5, 7, 8, 9).Iso(), "2024-03-05 07:08:09");
    EXPECT_EQ(F(2024, 3, 5, 7, 8, 9).Formato("ddmmyyyy_hhnnss"), "05032024_070809");
    EXPECT_EQ(F(2024, 3, 5, 7, 8, 9).Formato("YYYYMMDD-yy"), "20240305-24");
    EXPECT_EQ(F(987, 3, 5).Formato("yyyy"), "0987");
}

TEST(SuiteFormato, RedondearSpanishConvention) {
    Formato &fmt = Formato::Instancia();
    EXPECT_EQ(&fmt, &Formato::Instancia());
    EXPECT_EQ(fmt.Redondear(M("1234,56"), 2), "1.234,56");
    EXPECT_EQ(fmt.Redondear(M("-0,5"), 2), "-0,50");
    EXPECT_EQ(fmt.Redondear(Moneda(), 2), "0,00");
    EXPECT_EQ(fmt.Redondear(M("0,005"), 2), "0,01");
    EXPECT_EQ(fmt.Redondear(M("-0,005"), 2), "-0,01");
    EXPECT_EQ(fmt.Redondear(M("-0,004"), 2), "0,00");
    EXPECT_EQ(fmt.Redondear(M("999,995"), 2), "1.000,00");
    EXPECT_EQ(fmt.Redondear(M("1234567,8"), 0), "1.234.568");
    EXPECT_EQ(fmt.Redondear(M("123456"), 3), "123.456,000");
    EXPECT_EQ(fmt.Redondear(M("1,5"), 6), "1,500000");
    EXPECT_EQ(fmt.Redondear(0.005, 2), "0,01");
    EXPECT_EQ(fmt.Redondear(1.005, 2), "1,01");
    EXPECT_EQ(fmt.Redondear(-2.675, 2), "-2,68");
    EXPECT_EQ(fmt.Redondear(1e6 / 3, 4), "333.333,3333");
    EXPECT_EQ(fmt.Redondear(0.0, 0), "0");
}

TEST(SuiteFormato, FechaTextoAndNumeroSQL) {
    Formato &fmt = Formato::Instancia();
    EXPECT_EQ(fmt.FechaTexto(F(2024, 3, 5, 10, 0, 0)), "05/03/2024");
    EXPECT_EQ(fmt.FechaTexto("2024-03-05 10:00:00"), "05/03/2024");
    EXPECT_EQ(fmt.FechaTexto("5/3/2024"), "05/03/2024");
    EXPECT_EQ(fmt.FechaTexto(""), "");
    EXPECT_EQ(fmt.FechaTexto("31/02/2024"), "");
    EXPECT_EQ(fmt.NumeroSQL(M("12,50")), "12.5");
    EXPECT_EQ(fmt.NumeroSQL(M("-3")), "-3");
    EXPECT_EQ(fmt.NumeroSQL(M("0,0001")), "0.0001");
    EXPECT_EQ(fmt.NumeroSQL(M("-0,0001")), "-0.0001");
    EXPECT_EQ(fmt.NumeroSQL(Moneda()), "0");
    EXPECT_EQ(fmt.NumeroSQL(12.5), "12.5");
    EXPECT_EQ(fmt.NumeroSQL(0.1 + 0.2), "0.3");
    EXPECT_EQ(fmt.NumeroSQL(0.00001), "0.00001");
    EXPECT_EQ(fmt.NumeroSQL(1.5e20), "150000000000000000000");
    EXPECT_EQ(fmt.NumeroSQL(-0.0), "0");
    EXPECT_EQ(fmt.NumeroSQL(std::int64_t{-42}), "-42");
}

TEST(SuiteFormato, RellenarCutsAndPadsByCharacters) {
    Formato &fmt = Formato::Instancia();
    using A = Formato::Alineacion;
    EXPECT_EQ(fmt.Rellenar("abc", 5, A::Izquierda), "abc  ");
    EXPECT_EQ(fmt.Rellenar("abc", 5, A::Derecha), "  abc");
    EXPECT_EQ(fmt.Rellenar("abcdef", 4, A::Izquierda), "abcd");
    EXPECT_EQ(fmt.Rellenar("abcdef", 4, A::Derecha), "abcd");
    EXPECT_EQ(fmt.Rellenar("Ñandú", 6, A::Izquierda), "Ñandú ");
    EXPECT_EQ(fmt.Rellenar("Ñandú", 7, A::Derecha), "  Ñandú");
    EXPECT_EQ(fmt.Rellenar("Peñón Álvarez", 5, A::Izquierda), "Peñón");
    EXPECT_EQ(fmt.Rellenar("áé", 1, A::Derecha), "á");
    EXPECT_EQ(fmt.Rellenar("\xF1"
                           "ab",
                           2, A::Izquierda),
              "\xF1"
              "a"); // Windows-1252 byte is one character
    EXPECT_EQ(fmt.Rellenar("", 3, A::Izquierda), "   ");
    EXPECT_EQ(fmt.Rellenar("abc", 0, A::Izquierda), "");
}

TEST(SuiteFormato, ANumeroReadsGridCellsBack) {
    Formato &fmt = Formato::Instancia();
    EXPECT_EQ(fmt.ANumero("1.234,56"), M("1234,56"));
    EXPECT_EQ(fmt.ANumero("-0,50"), M("-0,5"));
    EXPECT_EQ(fmt.ANumero("1.234"), M("1234"));
    EXPECT_EQ(fmt.ANumero("1.234.567"), M("1234567"));
    EXPECT_EQ(fmt.ANumero("12.5"), M("12,5"));
    EXPECT_EQ(fmt.ANumero(" 7 "), M("7"));
    EXPECT_EQ(fmt.ANumero(""), Moneda());
    EXPECT_EQ(fmt.ANumero("x"), Moneda());
    for (Moneda m : {M("1234567,89"), M("-0,01"), M("1000")}) {
        EXPECT_EQ(fmt.ANumero(fmt.Redondear(m, 2)), m);
        EXPECT_EQ(fmt.ANumero(fmt.Redondear(m.Redondear(0), 0)), m.Redondear(0));
    }
}

TEST(SuiteValor, ConversionsBetweenKinds) {
    EXPECT_TRUE(Valor().IsNull());
    EXPECT_TRUE(Valor().IsEmpty());
    EXPECT_TRUE(Valor("  ").IsEmpty());
    EXPECT_FALSE(Valor("  ").IsNull());
    EXPECT_FALSE(Valor(0).IsEmpty());
    EXPECT_EQ(Valor().ToText(), "");
    EXPECT_EQ(Valor(42).ToText(), "42");
    EXPECT_EQ(Valor(2.5).ToText(), "2.5");
    EXPECT_EQ(Valor(M("1234,5")).ToText(), "1234.5");
    EXPECT_EQ(Valor(F(2024, 3, 5)).ToText(), "05/03/2024");
    EXPECT_EQ(Valor(true).ToText(), "1");
    EXPECT_EQ(Valor(" 2 ").ToLong(), 2);
    EXPECT_EQ(Valor("2,5").ToLong(), 3);
    EXPECT_EQ(Valor("-2,5").ToLong(), -3);
    EXPECT_EQ(Valor("abc").ToLong(), 0);
    EXPECT_EQ(Valor("").ToLong(), 0);
    EXPECT_EQ(Valor(2.4999).ToLong(), 2);
    EXPECT_DOUBLE_EQ(Valor("1.234,5").ToDouble(), 1234.5);
    EXPECT_EQ(Valor("1.234,5").ToMoneda(), M("1234,5"));
    EXPECT_EQ(Valor(7).ToMoneda(), M("7"));
    EXPECT_EQ(Valor(0.07).ToMoneda(), M("0,07"));
    EXPECT_EQ(Valor("05/03/2024").ToFecha(), F(2024, 3, 5));
    EXPECT_EQ(Valor("nada").ToFecha(), Fecha());
    EXPECT_EQ(Valor(5).ToFecha(), Fecha());
    EXPECT_TRUE(Valor("-1").ToBool());
    EXPECT_TRUE(Valor("True").ToBool());
    EXPECT_FALSE(Valor("0").ToBool());
    EXPECT_FALSE(Valor("").ToBool());
    EXPECT_EQ(Valor(3).TipoValor(), Valor::Tipo::Long);
    EXPECT_EQ(Valor("x").TipoValor(), Valor::Tipo::Texto);
    EXPECT_EQ(Valor(M("1")).TipoValor(), Valor::Tipo::Moneda);
}

TEST(SuiteWindows1252, EncodesWhatItCanHoldAndNamesWhatItCannot) {
    std::string out = "x";
    ASSERT_TRUE(suite::Utf8AWindows1252("Peña's €5 “Ñ” Œ", out));
    EXPECT_EQ(out, "xPe\xF1" "a's \x80" "5 \x93\xD1\x94 \x8C");
    EXPECT_EQ(suite::Windows1252AUtf8(out.substr(1)), "Peña's €5 “Ñ” Œ");

    std::string caracter;
    out = "keep";
    EXPECT_FALSE(suite::Utf8AWindows1252("Año → 2026", out, &caracter));
    EXPECT_EQ(out, "keep");
    EXPECT_EQ(caracter, "→");
    EXPECT_FALSE(suite::RepresentableEnWindows1252("Łódź", &caracter));
    EXPECT_EQ(caracter, "Ł");
    // Bytes that are not UTF-8 are not silently passed through.
    EXPECT_FALSE(suite::RepresentableEnWindows1252("a\xF1" "b", &caracter));
    EXPECT_EQ(caracter, "\xF1");
    EXPECT_TRUE(suite::RepresentableEnWindows1252(""));
}
