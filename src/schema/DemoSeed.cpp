#include "schema/Schema.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace schema {

namespace {

using Days = std::chrono::sys_days;

Days ParseToday(const std::string &today) {
    using namespace std::chrono;
    if (today.size() == 10) {
        int y = std::stoi(today.substr(0, 4));
        unsigned m = static_cast<unsigned>(std::stoi(today.substr(5, 2)));
        unsigned d = static_cast<unsigned>(std::stoi(today.substr(8, 2)));
        return sys_days(year(y) / month(m) / day(d));
    }
    std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    return sys_days(year(local.tm_year + 1900) / month(static_cast<unsigned>(local.tm_mon + 1)) /
                    day(static_cast<unsigned>(local.tm_mday)));
}

// Builds seed statements with date literals each database reads without ambiguity.
class Seed {
  public:
    Seed(Dialect d, const std::string &today) : dialect_(d), today_(ParseToday(today)) {}

    std::string Date(int offsetDays) const { return Lit(today_ + std::chrono::days(offsetDays)); }
    std::string Ymd(int y, unsigned m, unsigned d) const {
        using namespace std::chrono;
        return Lit(sys_days(year(y) / month(m) / day(d)));
    }
    int Year(int offsetDays = 0) const {
        return static_cast<int>(std::chrono::year_month_day(today_ + std::chrono::days(offsetDays)).year());
    }
    void Add(std::string sql) { out_.push_back(std::move(sql)); }
    // Rows given with their identity values: SQL Server needs IDENTITY_INSERT around them.
    void WithIdentity(const std::string &table, const std::vector<std::string> &rows) {
        if (rows.empty()) {
            return;
        }
        if (dialect_ == Dialect::SqlServer) {
            Add("SET IDENTITY_INSERT " + table + " ON");
        }
        for (const auto &r : rows) {
            Add(r);
        }
        if (dialect_ == Dialect::SqlServer) {
            Add("SET IDENTITY_INSERT " + table + " OFF");
        }
    }
    std::vector<std::string> Take() { return std::move(out_); }

  private:
    std::string Lit(Days when) const {
        std::chrono::year_month_day ymd(when);
        char buf[16];
        std::snprintf(buf, sizeof buf, dialect_ == Dialect::Sqlite ? "%04d-%02u-%02u" : "%04d%02u%02u",
                      static_cast<int>(ymd.year()), static_cast<unsigned>(ymd.month()),
                      static_cast<unsigned>(ymd.day()));
        return std::string("'") + buf + "'";
    }
    Dialect dialect_;
    Days today_;
    std::vector<std::string> out_;
};

std::string Q(const std::string &s) {
    std::string out = "'";
    for (char c : s) {
        out += c;
        if (c == '\'') {
            out += '\'';
        }
    }
    return out + "'";
}

std::string Money(long cents) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%s%ld.%02ld", cents < 0 ? "-" : "", (cents < 0 ? -cents : cents) / 100,
                  (cents < 0 ? -cents : cents) % 100);
    return buf;
}

// Deterministic pseudo-random numbers, so that every demo database is the same.
struct Lcg {
    unsigned long state = 20261206UL;
    unsigned long Next(unsigned long bound) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return (state >> 33) % bound;
    }
};

struct Supplier {
    int code;
    const char *name;
    const char *nif;
    int country;
    const char *account;
    const char *pending;
    int contCompras;
    const char *difCur;
    const char *difPor;
    int formaPago;
};

// Accounts of length 10; some suppliers lack one, so that accounts are composed from the root.
const Supplier kSuppliers[] = {
    {1, "Distribuciones Pérez Hernández, S.L.", "B35000001", 1, "4000000001", "4009000001", 0, "0", "0", 2},
    {2, "Lácteos del Atlántico, S.A.", "A35000002", 1, "4000000002", "4009000002", 1, "1.00", "0", 2},
    {3, "Panadería O'Shanahan, S.L.", "B35000003", 1, "4000000003", "4009000003", 0, "0", "2", 1},
    {4, "Frutas y Verduras Ñameras, S.C.", "J35000004", 1, "4000000004", "4009000004", 1, "0", "0", 3},
    {5, "Cárnicas Guía de Isora, S.L.", "B38000005", 1, "4000000005", "4009000005", 0, "0.50", "0", 2},
    {6, "Bebidas Tenerife Norte, S.A.", "A38000006", 1, "", "", 0, "0", "1", 2},
    {7, "Congelados Maspalomas, S.L.", "B35000007", 1, "4000000007", "4009000007", 1, "0", "0", 2},
    {8, "Droguería Insular Atlántica, S.L.", "B35000008", 1, "4000000008", "4009000008", 0, "0", "0", 3},
    {9, "Café Tostadero Güímar, S.L.", "B38000009", 1, "4000000009", "4009000009", 0, "0", "0", 1},
    {10, "Conservas Açores Lda.", "PT500000010", 2, "4000000010", "4009000010", 0, "0", "0", 2},
    {11, "Aceites de la Gomera, S.L.", "B38000011", 1, "4000000011", "4009000011", 1, "0", "0", 2},
    {12, "Embutidos Teror, S.A.", "A35000012", 0, "", "", 0, "0", "0", 2},
    {13, "Papelería Triana, S.L.", "B35000013", 1, "4000000013", "4009000013", 0, "2.00", "0", 4},
    {14, "Huevos Camino Real, S.L.", "B35000014", 1, "4000000014", "4009000014", 1, "0", "5", 2},
    {15, "Pescados Puerto de Mogán, S.L.", "B35000015", 1, "4000000015", "4009000015", 0, "0", "0", 1},
    {16, "Vinos Tacoronte-Acentejo, S.C.", "J38000016", 1, "4000000016", "4009000016", 0, "0", "0", 2},
    {17, "Limpiezas Arguineguín, S.L.", "B35000017", 1, "4000000017", "4009000017", 0, "0", "0", 3},
    {18, "Quesería Flor de Guía, S.L.", "B35000018", 1, "4000000018", "4009000018", 1, "0", "0", 2},
    {19, "Agua de Firgas, S.A.", "A35000019", 1, "4000000019", "4009000019", 0, "0", "0", 2},
    {20, "Golosinas y Snacks Fañabé, S.L.", "B38000020", 1, "4000000020", "4009000020", 0, "0", "0", 2},
};

std::string SupplierAccount(const Supplier &s) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "400%07d", s.code);
    return s.account[0] ? s.account : buf;
}

struct Warehouse {
    int code;
    const char *name;
    int central;
    const char *sociedad;
    int regimen;
};

const Warehouse kWarehouses[] = {
    {1, "Supermercado Telde", 101, "0450", 0},
    {2, "Supermercado Las Palmas - Mesa y López", 102, "0450", 0},
    {3, "Autoservicio La Laguna", 103, "0451", 1},
};

// The payment type of a demo line, by the position of the line.
int PaymentType(int i) { return i % 11 == 5 ? 2 : (i % 13 == 7 ? 3 : 1); }

// The two statements the demo accounts out of the box, one per statement mode: every line passes
// the line check, so neither needs the check switched off.
struct ReadyLine {
    int supplier;
    const char *document;
    int dateOffset;
    long paidCents;
    int paymentType;
    long linkedCents; // 0: nothing linked (prompt payment, "RI")
};

// Mode 1 (warehouse 2): lines linked to receipts (what the registration entries account), one paid
// above its receipt (an adjustment), one prompt payment and one "RI" line; every line with a tax
// breakdown that adds up to its amount.
const ReadyLine kReadyMode1[] = {
    {4, "DM1-0001", -20, 128400, 1, 128400}, {2, "DM1-0002", -18, 53650, 1, 53500},
    {7, "DM1-0003", -15, 21400, 1, 21400},   {9, "DM1-0004", -12, 10700, 3, 0},
    {1, "DM1-0005", -12, 1284, 5, 0},
};
// Mode 2 (warehouse 3): lines linked to the forecasts of their invoices, and one prompt payment.
// The line check reads the invoice links in both modes, so these lines carry both.
const ReadyLine kReadyMode2[] = {
    {8, "DM2-0001", -25, 64200, 1, 64200},
    {13, "DM2-0002", -22, 32100, 1, 32100},
    {15, "DM2-0003", -19, 96300, 1, 96300},
    {16, "DM2-0004", -16, 21400, 3, 0},
};
// The ready mode-2 statement's forecasts follow the demo's 360 other forecasts.
constexpr int kForecastsBeforeReady = 360;

std::string ReadyCode(int mode, int year) { return "M" + std::to_string(mode) + "-" + std::to_string(year); }

} // namespace

std::vector<std::string> DemoSeedErp(Dialect dialect, const std::string &today) {
    Seed s(dialect, today);
    const int year = s.Year();

    s.Add("INSERT INTO Empresas (Codigo, Nombre, NIF, FormaPago, DiaPago_1, DiaPago_2, CtaBancoPago, DecimalesImporte, "
          "RaizCuentaProveedor, PathAplicacion) VALUES (1, 'Supermercados Demo Canarias, S.L.', 'B35999999', 2, 5, "
          "20, '5720000001', 2, 400, '')");
    s.Add("INSERT INTO SGD_usuarios (Codigo, Nombre) VALUES (1, 'Administrador')");
    s.Add("INSERT INTO SGD_usuarios (Codigo, Nombre) VALUES (2, 'María Peña')");
    for (int y = year - 2; y <= year + 1; ++y) {
        s.Add("INSERT INTO Ejercicios (Cod_Empresa, Codigo, FechaI, FechaF, Cerrado) VALUES (1, " + std::to_string(y) +
              ", " + s.Ymd(y, 1, 1) + ", " + s.Ymd(y, 12, 31) + ", " + (y < year - 1 ? "1" : "0") + ")");
    }
    s.Add("INSERT INTO Paises (Cod_Pais, ISOCodigo, Nombre) VALUES (1, 'ES', 'España')");
    s.Add("INSERT INTO Paises (Cod_Pais, ISOCodigo, Nombre) VALUES (2, 'PT', 'Portugal')");
    s.Add("INSERT INTO Arqueos_ParamContabilidad (Cod_Empresa, PathFicheros) VALUES (1, '')");

    for (const auto &w : kWarehouses) {
        s.Add("INSERT INTO Almacenes (Cod_Empresa, Codigo, Nombre, Cod_AlmacenCentral, Cod_Sociedad, EmpContable, "
              "CtaPagoAjuste, CtaGastosProntoPago, RegimenEspecial) VALUES (1, " +
              std::to_string(w.code) + ", " + Q(w.name) + ", " + std::to_string(w.central) + ", " + Q(w.sociedad) +
              ", 1, '6590000000', '6260000000', " + std::to_string(w.regimen) + ")");
    }

    for (const auto &p : kSuppliers) {
        std::string c = std::to_string(p.code);
        s.Add("INSERT INTO Proveedores (Cod_Empresa, Codigo, Nombre, F_Razon, NIF, Cod_Pais, Cta_Proveedor, Cta_Pdte, "
              "Cont_Compras, PagoCentralDifCur, PagoCentralDifPor, Cta_DeudaCortoPlazo, Cod_FPago, CtaBancoPago, "
              "DiaPago_1, DiaPago_2) VALUES (1, " +
              c + ", " + Q(p.name) + ", " + Q(p.name) + ", " + Q(p.nif) + ", " + std::to_string(p.country) + ", " +
              Q(p.account) + ", " + Q(p.pending) + ", " + std::to_string(p.contCompras) + ", " + p.difCur + ", " +
              p.difPor + ", '52000000" + (p.code < 10 ? "0" : "") + c + "', " + std::to_string(p.formaPago) +
              ", '5720000001', " + (p.code % 4 == 0 ? "10, 25" : "0, 0") + ")");
        // GLNs as the central organisation writes them: some with dots.
        char gln[32];
        if (p.code % 3 == 0) {
            std::snprintf(gln, sizeof gln, "84.3700.0%05d.%d", p.code * 7, p.code % 10);
        } else {
            std::snprintf(gln, sizeof gln, "84370000%05d", p.code * 7);
        }
        s.Add("INSERT INTO Proveedores_GLN (Cod_Empresa, Cod_Prov, GLN, Principal) VALUES (1, " + c + ", " + Q(gln) +
              ", 1)");
    }
    s.Add("INSERT INTO Proveedores_GLN (Cod_Empresa, Cod_Prov, GLN, Principal) VALUES (1, 1, '8437000099991', 0)");

    // IGIC rates by index, with a change of rates two years ago; the special regime's (IVA) list beside it.
    struct Rate {
        int tipo;
        const char *name;
        const char *before;
        const char *now;
        const char *regimenBefore;
        const char *regimenNow;
    };
    const Rate rates[] = {{1, "IGIC Tipo cero", "0", "0", "0", "0"},
                          {2, "IGIC Superreducido", "1", "1", "4", "4"},
                          {3, "IGIC Reducido", "3", "3", "10", "10"},
                          {4, "IGIC General", "6.5", "7", "21", "21"},
                          {5, "IGIC Incrementado", "9.5", "9.5", "21", "21"},
                          {6, "IGIC Especial", "13.5", "15", "21", "21"}};
    int id = 0;
    for (const auto &r : rates) {
        s.Add("INSERT INTO Igic_Tipos (Cod_Empresa, ID, Tipo, Nombre, Imp_Valor, Imp_ValorRegimen, FechaI, FechaF) "
              "VALUES (1, " +
              std::to_string(++id) + ", " + std::to_string(r.tipo) + ", " + Q(r.name) + ", " + r.before + ", " +
              r.regimenBefore + ", " + s.Ymd(2012, 7, 1) + ", " + s.Ymd(year - 2, 12, 31) + ")");
        s.Add("INSERT INTO Igic_Tipos (Cod_Empresa, ID, Tipo, Nombre, Imp_Valor, Imp_ValorRegimen, FechaI, FechaF) "
              "VALUES (1, " +
              std::to_string(++id) + ", " + std::to_string(r.tipo) + ", " + Q(r.name) + ", " + r.now + ", " +
              r.regimenNow + ", " + s.Ymd(year - 1, 1, 1) + ", " + s.Ymd(2099, 12, 31) + ")");
    }
    for (int i = 1; i <= id; ++i) {
        std::string code = std::to_string((i + 1) / 2);
        s.Add("INSERT INTO Igic_Tipos_Externo (ID, Cod_AppExportar, Cod_Externo) VALUES (" + std::to_string(i) +
              ", 7, 'IG" + code + "')");
        s.Add("INSERT INTO Igic_Tipos_Externo (ID, Cod_AppExportar, Cod_Externo) VALUES (" + std::to_string(i) +
              ", 17, '" + std::to_string(10 + (i + 1) / 2) + "')");
    }

    const char *tiposPago[][2] = {{"Factura", "FA"},
                                  {"Abono", "AB"},
                                  {"Pronto pago", "PP"},
                                  {"Rappel", "RP"},
                                  {"Retención IGIC", "RI"},
                                  {"Retención IGIC abono", "RIA"},
                                  {"Retención IRPF", "XI"},
                                  {"Retención IRPF abono", "XIA"},
                                  {"Cargo por servicios centrales", "CS"}};
    int tp = 0;
    for (const auto &t : tiposPago) {
        s.Add("INSERT INTO Compras_PagosCentral_Extractos_TiposPago (Codigo, Nombre, Tipo) VALUES (" +
              std::to_string(++tp) + ", " + Q(t[0]) + ", " + Q(t[1]) + ")");
    }
    const char *tiposRecl[][2] = {{"Albarán no recibido", "AL"},   {"Diferencia de precio", "PR"},
                                  {"Abono no aplicado", "AB"},     {"Factura duplicada", "DU"},
                                  {"Diferencia de cantidad", "CA"}, {"Promoción no aplicada", "PM"}};
    int tr = 0;
    for (const auto &t : tiposRecl) {
        s.Add("INSERT INTO Compras_PagosCentral_Reclamacion_Tipos (Codigo, Nombre, Tipo) VALUES (" +
              std::to_string(++tr) + ", " + Q(t[0]) + ", " + Q(t[1]) + ")");
    }
    const char *conceptos[] = {"Mercancía en mal estado", "Precio de tarifa no respetado", "Rappel pendiente",
                               "Cobro duplicado", "Unidades de menos", "Oferta del folleto"};
    int cc = 0;
    for (const auto *c : conceptos) {
        s.Add("INSERT INTO Compras_PagosCentral_Reclamacion_Conceptos (Codigo, Nombre) VALUES (" +
              std::to_string(++cc) + ", " + Q(c) + ")");
    }

    // Every company parameter the module reads.
    const char *params[][2] = {{"PagoCentral_TipoExtracto", "1"},
                               {"Tipo_Contabilidad", "1"},
                               {"UsuarioActual", "1"},
                               {"PagoCentral_AsientoCheckLineasNoVinc", "1"},
                               {"ODBCNombre", ""},
                               {"ODBCUsuario", ""},
                               {"ODBCPassword", ""},
                               {"Raiz_Proveedores", "400"},
                               {"Raiz_ProveedoresPendRecibir", "4009"},
                               {"Raiz_ProveedoresDeudaCortoPlazo", "520"},
                               {"Raiz_ClientesDepCortoPlazo", "565"},
                               {"Almacen_PD", "1"},
                               {"EDI_GLNEmpresa", "8437000000017"},
                               {"PagoCentral_PersonaContactoNombre", "María Peña"},
                               {"PagoCentral_PersonaContactoDept", "Administración"},
                               {"ColorPagoCentralizadoVinculacionOk", "12648384"},
                               {"ColorPagoCentralizadoVinculacionDif", "12640511"},
                               {"ColorPagoCentralizadoEuromadi", "16761024"},
                               {"PagoCentralPathReclamaciones", ""},
                               {"PagoCentral_PrevPagoTipoDocumentos", ""},
                               {"PagoCentral_TPNoGenAsientoResum", ""},
                               {"PagoCentral_FicherosUTF8", "0"}};
    for (const auto &p : params) {
        s.Add("INSERT INTO Empresas_Parametros (Cod_Empresa, Nombre, Valor) VALUES (1, " + Q(p[0]) + ", " + Q(p[1]) +
              ")");
    }

    // Franchisees (customers) and atypical discount agreements.
    const char *clientes[] = {"Franquicia Vecindario", "Franquicia Puerto del Rosario", "Franquicia Arrecife"};
    for (int i = 0; i < 3; ++i) {
        std::string c = std::to_string(i + 1);
        s.Add("INSERT INTO Clientes (Cod_Empresa, Codigo, Nombre, NIF, Cta_DepositoCortoPlazo) VALUES (1, " + c + ", " +
              Q(clientes[i]) + ", 'B3570000" + c + "', '565000000" + c + "')");
    }
    s.Add("INSERT INTO Proveedores_Atipicos (Cod_Empresa, Cod_Proveedor, FechaI, FechaF, TipoAplicacion, Porcentaje) "
          "VALUES (1, 2, " +
          s.Ymd(year - 1, 1, 1) + ", " + s.Ymd(year + 1, 12, 31) + ", 1, 3)");
    s.Add("INSERT INTO Proveedores_Atipicos (Cod_Empresa, Cod_Proveedor, FechaI, FechaF, TipoAplicacion, Porcentaje) "
          "VALUES (1, 5, " +
          s.Ymd(year - 1, 1, 1) + ", " + s.Ymd(year + 1, 12, 31) + ", 2, 1.5)");
    s.Add("INSERT INTO Contador_SAGE200 (Cod_Empresa, Cod_Ejercicio, Serie, Codigo) VALUES (1, " +
          std::to_string(year) + ", 'PC', 0)");

    // Receipts for suppliers linked by receipt, invoices for the others; the demo statements pay
    // most of them, a few with a small difference.
    Lcg rnd;
    struct Doc {
        int supplier;
        int warehouse;
        std::string document;
        int offset;
        long cents;
        int receipt; // 0 for an invoice
    };
    std::vector<Doc> docs;
    int receipt = 0;
    for (int i = 0; i < 120; ++i) {
        const auto &p = kSuppliers[rnd.Next(20)];
        int w = static_cast<int>(rnd.Next(3)) + 1;
        int offset = -static_cast<int>(rnd.Next(80)) - 10;
        long cents = static_cast<long>(rnd.Next(250000)) + 1500;
        char doc[32];
        std::snprintf(doc, sizeof doc, "F%d-%04d", p.code, 1000 + i);
        docs.push_back({p.code, w, doc, offset, cents, p.contCompras ? receipt + 1 : 0});
        std::string y = std::to_string(s.Year(offset));
        if (p.contCompras) {
            s.Add("INSERT INTO Entradas (Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo, Proveedor, Documento, Fecha, "
                  "ImporteContable, Usuario, Hora) VALUES (1, " +
                  y + ", " + std::to_string(w) + ", " + std::to_string(++receipt) + ", " + std::to_string(p.code) +
                  ", " + Q(doc) + ", " + s.Date(offset) + ", " + Money(cents) + ", " + std::to_string(1 + i % 2) +
                  ", " + s.Date(offset) + ")");
        } else {
            s.Add("INSERT INTO Entradas_Facturas (Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo, Proveedor, Documento, "
                  "Fecha, Importe, ImporteContable, Asiento, Usuario, Hora) VALUES (1, " +
                  y + ", " + std::to_string(w) + ", " + std::to_string(i + 1) + ", " + std::to_string(p.code) + ", " +
                  Q(doc) + ", " + s.Date(offset) + ", " + Money(cents) + ", " + Money(cents) + ", 0, 1, " +
                  s.Date(offset) + ")");
        }
    }

    // Statements: per warehouse one a month for three months; the oldest of warehouse 1 is closed.
    std::vector<std::string> lines;
    std::vector<std::string> taxes;
    std::vector<std::string> links;
    int lineId = 0;
    for (const auto &w : kWarehouses) {
        for (int m = 0; m < 3; ++m) {
            int stmtOffset = -75 + m * 30;
            char code[32];
            std::snprintf(code, sizeof code, "%d%02d%04d", w.central, m + 1, s.Year(stmtOffset) % 10000);
            s.Add("INSERT INTO Compras_PagosCentral_Extractos (Cod_Empresa, Cod_Almacen, Cod_Extracto, FechaExtracto, "
                  "FechaVto, Cerrado) VALUES (1, " +
                  std::to_string(w.code) + ", " + Q(code) + ", " + s.Date(stmtOffset) + ", " +
                  s.Date(stmtOffset + 15) + ", " + (w.code == 1 && m == 0 ? "1" : "0") + ")");
            const bool closed = w.code == 1 && m == 0;
            int n = 0;
            for (std::size_t i = 0; i < docs.size(); ++i) {
                const Doc &d = docs[i];
                // Documents dated in the 30 days before the statement.
                if (d.warehouse != w.code || d.offset > stmtOffset || d.offset <= stmtOffset - 30) {
                    continue;
                }
                const auto &p = kSuppliers[d.supplier - 1];
                long paid = d.cents;
                if (i % 9 == 4) {
                    paid -= 150; // a short payment
                }
                int type = PaymentType(static_cast<int>(i));
                if (type == 2) {
                    paid = -(paid / 10);
                }
                ++lineId;
                ++n;
                lines.push_back(
                    "INSERT INTO Compras_PagosCentral_Extractos_Lineas (IdExtractoLinea, Cod_Empresa, Cod_Almacen, "
                    "Cod_Extracto, Cod_Proveedor, Cod_ProveedorCentral, DocumentoCentral, Documento, Fecha, Importe, "
                    "TipoPago, Cta_Proveedor, Cta_ProveedorPdte, ProntoPago) VALUES (" +
                    std::to_string(lineId) + ", 1, " + std::to_string(w.code) + ", " + Q(code) + ", " +
                    std::to_string(d.supplier) + ", " + std::to_string(50000 + d.supplier) + ", " +
                    Q(std::string(tiposPago[type - 1][1]) + "-" + std::to_string(700000 + static_cast<int>(i))) + ", " +
                    Q(d.document) + ", " + s.Date(d.offset) + ", " + Money(paid) + ", " + std::to_string(type) + ", " +
                    Q(p.account) + ", " + Q(p.pending) + ", " + (type == 3 ? "1" : "0") + ")");
                // Tax breakdown at the general rate: base + tax = amount paid.
                long base = paid * 100 / 107;
                taxes.push_back("INSERT INTO Compras_PagosCentral_Extractos_Lineas_Impuestos (IdExtractoLinea, Base, "
                                "Valor_Tipo, Importe, Tipo) VALUES (" +
                                std::to_string(lineId) + ", " + Money(base) + ", 7, " + Money(paid - base) + ", 4)");
                // The closed statement is fully linked and accounted; open ones are partly linked.
                if (type == 1 && (closed || n % 2 == 0)) {
                    std::string id = std::to_string(lineId);
                    std::string acc = closed ? "1" : "0";
                    if (d.receipt) {
                        links.push_back("INSERT INTO Compras_PagosCentral_Entradas (IdExtractoLinea, Cod_Empresa, "
                                        "Cod_Ejercicio, Cod_Almacen, Codigo, Contabilizado) VALUES (" +
                                        id + ", 1, " + std::to_string(s.Year(d.offset)) + ", " +
                                        std::to_string(d.warehouse) + ", " + std::to_string(d.receipt) + ", " + acc +
                                        ")");
                    } else {
                        links.push_back("INSERT INTO Compras_PagosCentral_Entradas_Facturas (IdExtractoLinea, "
                                        "Cod_Empresa, Cod_Almacen, Proveedor, Documento, Fecha, Contabilizado) VALUES (" +
                                        id + ", 1, " + std::to_string(d.warehouse) + ", " +
                                        std::to_string(d.supplier) + ", " + Q(d.document) + ", " + s.Date(d.offset) +
                                        ", " + acc + ")");
                    }
                    links.push_back("UPDATE Compras_PagosCentral_Extractos_Lineas SET ImporteVinculado = " +
                                    Money(d.cents) + " WHERE IdExtractoLinea = " + id);
                }
            }
        }
    }
    // The ready statements of each mode, dated five days ago.
    int receiptCode = 9000;
    int forecast = kForecastsBeforeReady;
    for (int mode = 1; mode <= 2; ++mode) {
        const int w = mode == 1 ? 2 : 3;
        const std::string code = ReadyCode(mode, s.Year(-5));
        s.Add("INSERT INTO Compras_PagosCentral_Extractos (Cod_Empresa, Cod_Almacen, Cod_Extracto, FechaExtracto, "
              "FechaVto, Cerrado) VALUES (1, " +
              std::to_string(w) + ", " + Q(code) + ", " + s.Date(-5) + ", " + s.Date(10) + ", 0)");
        const auto *ready = mode == 1 ? kReadyMode1 : kReadyMode2;
        const std::size_t count = mode == 1 ? std::size(kReadyMode1) : std::size(kReadyMode2);
        for (std::size_t i = 0; i < count; ++i) {
            const ReadyLine &l = ready[i];
            const auto &p = kSuppliers[l.supplier - 1];
            const std::string id = std::to_string(++lineId);
            lines.push_back(
                "INSERT INTO Compras_PagosCentral_Extractos_Lineas (IdExtractoLinea, Cod_Empresa, Cod_Almacen, "
                "Cod_Extracto, Cod_Proveedor, Cod_ProveedorCentral, DocumentoCentral, Documento, Fecha, Importe, "
                "TipoPago, Cta_Proveedor, Cta_ProveedorPdte, ProntoPago, ImporteVinculado) VALUES (" +
                id + ", 1, " + std::to_string(w) + ", " + Q(code) + ", " + std::to_string(l.supplier) + ", " +
                std::to_string(50000 + l.supplier) + ", " +
                Q(std::string(tiposPago[l.paymentType - 1][1]) + "-" + l.document) + ", " + Q(l.document) + ", " +
                s.Date(l.dateOffset) + ", " + Money(l.paidCents) + ", " + std::to_string(l.paymentType) + ", " +
                Q(p.account) + ", " + Q(p.pending) + ", " + (l.paymentType == 3 ? "1" : "0") + ", " +
                Money(l.linkedCents) + ")");
            long base = l.paidCents * 100 / 107;
            taxes.push_back("INSERT INTO Compras_PagosCentral_Extractos_Lineas_Impuestos (IdExtractoLinea, Base, "
                            "Valor_Tipo, Importe, Tipo) VALUES (" +
                            id + ", " + Money(base) + ", 7, " + Money(l.paidCents - base) + ", 4)");
            if (l.linkedCents == 0) {
                continue;
            }
            const std::string y = std::to_string(s.Year(l.dateOffset));
            if (p.contCompras) {
                const std::string rc = std::to_string(++receiptCode);
                s.Add("INSERT INTO Entradas (Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo, Proveedor, Documento, "
                      "Fecha, ImporteContable, Usuario, Hora) VALUES (1, " +
                      y + ", " + std::to_string(w) + ", " + rc + ", " + std::to_string(l.supplier) + ", " +
                      Q(l.document) + ", " + s.Date(l.dateOffset) + ", " + Money(l.linkedCents) + ", 1, " +
                      s.Date(l.dateOffset) + ")");
                links.push_back("INSERT INTO Compras_PagosCentral_Entradas (IdExtractoLinea, Cod_Empresa, "
                                "Cod_Ejercicio, Cod_Almacen, Codigo, Contabilizado) VALUES (" +
                                id + ", 1, " + y + ", " + std::to_string(w) + ", " + rc + ", 0)");
            } else {
                s.Add("INSERT INTO Entradas_Facturas (Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo, Proveedor, "
                      "Documento, Fecha, Importe, ImporteContable, Asiento, Usuario, Hora) VALUES (1, " +
                      y + ", " + std::to_string(w) + ", " + std::to_string(receiptCode + 100 + static_cast<int>(i)) +
                      ", " + std::to_string(l.supplier) + ", " + Q(l.document) + ", " + s.Date(l.dateOffset) + ", " +
                      Money(l.linkedCents) + ", " + Money(l.linkedCents) + ", 0, 1, " + s.Date(l.dateOffset) + ")");
                links.push_back("INSERT INTO Compras_PagosCentral_Entradas_Facturas (IdExtractoLinea, Cod_Empresa, "
                                "Cod_Almacen, Proveedor, Documento, Fecha, Contabilizado) VALUES (" +
                                id + ", 1, " + std::to_string(w) + ", " + std::to_string(l.supplier) + ", " +
                                Q(l.document) + ", " + s.Date(l.dateOffset) + ", 0)");
            }
            if (mode == 2) {
                links.push_back("INSERT INTO Compras_PagosCentral_PrevPagos (IdExtractoLinea, IdPrevPago, "
                                "Contabilizado, Importe) VALUES (" +
                                id + ", " + std::to_string(++forecast) + ", 0, " + Money(l.linkedCents) + ")");
            }
        }
    }
    s.WithIdentity("Compras_PagosCentral_Extractos_Lineas", lines);
    for (auto &t : taxes) {
        s.Add(std::move(t));
    }
    for (auto &l : links) {
        s.Add(std::move(l));
    }

    // One customer collection statement with two lines.
    s.Add("INSERT INTO Clientes_PagosCentral_Extractos (Cod_Empresa, Cod_Cliente, FechaCobro, FechaContabilizar, Hora, "
          "Cerrado) VALUES (1, 1, " +
          s.Date(-5) + ", " + s.Date(-5) + ", " + s.Date(-5) + ", 0)");
    s.WithIdentity("Clientes_PagosCentral_Extractos_Lineas",
                   {"INSERT INTO Clientes_PagosCentral_Extractos_Lineas (IdExtractoLinea, Cod_Empresa, Cod_Cliente, "
                    "FechaCobro, Cod_Proveedor, Documento, FechaFactura, Importe, Observaciones, Cod_Atipico, "
                    "AtipicosPorcentaje) VALUES (1, 1, 1, " +
                        s.Date(-5) + ", 2, 'FV-0001', " + s.Date(-20) + ", 107.00, '', 0, 0)",
                    "INSERT INTO Clientes_PagosCentral_Extractos_Lineas (IdExtractoLinea, Cod_Empresa, Cod_Cliente, "
                    "FechaCobro, Cod_Proveedor, Documento, FechaFactura, Importe, Observaciones, Cod_Atipico, "
                    "AtipicosPorcentaje) VALUES (2, 1, 1, " +
                        s.Date(-5) + ", 5, 'FV-0002', " + s.Date(-18) + ", 53.50, 'Entrega parcial', 0, 0)"});
    s.Add("INSERT INTO Clientes_PagosCentral_Extractos_Lineas_Impuestos (IdExtractoLinea, Base, Valor_Tipo, Importe) "
          "VALUES (1, 100, 7, 7)");
    s.Add("INSERT INTO Clientes_PagosCentral_Extractos_Lineas_Impuestos (IdExtractoLinea, Base, Valor_Tipo, Importe) "
          "VALUES (2, 50, 7, 3.50)");
    return s.Take();
}

std::vector<std::string> DemoSeedAccounting(Dialect dialect, const std::string &today) {
    Seed s(dialect, today);
    const int year = s.Year();
    s.Add("INSERT INTO Empresas (Codigo, Nombre, NIF, LongitudCuenta) VALUES (1, 'Supermercados Demo Canarias, S.L.', "
          "'B35999999', 10)");
    const char *params[][2] = {{"ODBCBaseDatos", "Contabilidad"},
                               {"Concepto_PagoCent_Proveedor", "1"},
                               {"Concepto_PagoCent_Proveedor_Ajuste", "2"},
                               {"Concepto_PagoCent_Gasto_Ajuste", "3"},
                               {"Concepto_PagoCent_Contrapartida", "4"},
                               {"Cuenta_PagoCent_Contrapartida", "5720000001"},
                               {"Concepto_Franq_Proveedor", "5"},
                               {"Concepto_Franq_Cliente", "6"},
                               {"Conta_SII_FechaInicio", "01/07/2017"},
                               {"Conta_SII_FR_Activado", "0"}};
    for (const auto &p : params) {
        s.Add("INSERT INTO Parametros (Cod_Empresa, Nombre, Valor) VALUES (1, " + Q(p[0]) + ", " + Q(p[1]) + ")");
    }
    // The texts carry the placeholders the entries fill in, so that a demo entry shows them.
    const char *conceptos[] = {"Pago centralizado extracto %NROEXTRACTO%", "Ajuste pago centralizado %NROEXTRACTO%",
                               "Gasto %CUENTANOMBRE$40% ext. %NROEXTRACTO%", "Contrapartida extracto %NROEXTRACTO%",
                               "Franquicia %NOMBRECLIENTE$50%", "Cobro franquicia %FECHAVTO$10%"};
    for (int i = 0; i < 6; ++i) {
        s.Add("INSERT INTO Conceptos (Cod_Empresa, Codigo, Nombre) VALUES (1, " + std::to_string(i + 1) + ", " +
              Q(conceptos[i]) + ")");
    }
    const char *formas[] = {"(1, 'Contado', 1, 1, 0, 1, 0)", "(2, 'Transferencia a 30 días', 2, 1, 30, 1, 0)",
                            "(3, 'Pagaré 30 y 60 días', 3, 1, 30, 2, 30)", "(4, 'Sin previsión de pago', 1, 0, 0, 0, 0)"};
    for (const auto *f : formas) {
        s.Add(std::string("INSERT INTO Formas_Pago (Codigo, Nombre, TipoDoc, GenerarPrev, PrimerVto, NroVtos, "
                          "RestoVtos) VALUES ") +
              f);
    }
    const char *tiposDoc[] = {"Efectivo", "Transferencia", "Pagaré", "Recibo domiciliado"};
    for (int i = 0; i < 4; ++i) {
        s.Add("INSERT INTO Tipos_Doc (Codigo, Nombre) VALUES (" + std::to_string(i + 1) + ", " + Q(tiposDoc[i]) + ")");
    }
    for (int y = year - 2; y <= year + 1; ++y) {
        std::string ys = std::to_string(y);
        s.Add("INSERT INTO Ejercicios (Cod_Empresa, Codigo, FechaI, FechaF, Cerrado) VALUES (1, " + ys + ", " +
              s.Ymd(y, 1, 1) + ", " + s.Ymd(y, 12, 31) + ", " + (y < year - 1 ? "1" : "0") + ")");
        auto account = [&](const std::string &cuenta, const std::string &nombre, const std::string &nif) {
            s.Add("INSERT INTO Cuentas (Cod_Empresa, Cod_Ejercicio, Cuenta, Nombre, Nif, F_Razon) VALUES (1, " + ys +
                  ", " + Q(cuenta) + ", " + Q(nombre) + ", " + Q(nif) + ", " + Q(nombre) + ")");
        };
        for (const auto &p : kSuppliers) {
            account(SupplierAccount(p), p.name, p.nif);
            char pending[16];
            std::snprintf(pending, sizeof pending, "4009%06d", p.code);
            account(p.pending[0] ? p.pending : pending, std::string(p.name) + " (pdte. recibir)", p.nif);
            char debt[16];
            std::snprintf(debt, sizeof debt, "520%07d", p.code);
            account(debt, std::string(p.name) + " (deuda c/p)", p.nif);
        }
        for (int c = 1; c <= 3; ++c) {
            account("565000000" + std::to_string(c), "Depósito franquicia " + std::to_string(c), "");
        }
        account("5720000001", "Banco Canario, c/c principal", "");
        account("6590000000", "Otros gastos de gestión corriente", "");
        account("6260000000", "Gastos por pronto pago", "");
        s.Add("INSERT INTO Contadores (Cod_Empresa, Cod_Ejercicio, Nombre, Valor) VALUES (1, " + ys + ", 'Asiento', 0)");
    }

    // Pending payment forecasts: one per invoice of the ERP seed (same documents, due 30 days
    // after), plus open forecasts of other documents, some settled, some on other companies.
    Lcg rnd;
    std::vector<std::string> rows;
    int apunte = 0;
    auto forecast = [&](int company, const std::string &cuenta, const std::string &doc, int docOffset, int dueOffset,
                        long cents, int estado, int formaPago) {
        rows.push_back("INSERT INTO Previsiones_Pago (Apunte, Cod_Empresa, Cuenta, Documento, Documento2, Fecha_Doc, "
                       "Fecha_Vto, Importe, Estado, FormaPago, Asiento, Cod_Ejercicio) VALUES (" +
                       std::to_string(++apunte) + ", " + std::to_string(company) + ", " + Q(cuenta) + ", " + Q(doc) +
                       ", '', " + s.Date(docOffset) + ", " + s.Date(dueOffset) + ", " + Money(cents) + ", " +
                       std::to_string(estado) + ", " + std::to_string(formaPago) + ", 0, " +
                       std::to_string(s.Year(docOffset)) + ")");
    };
    for (int i = 0; i < 120; ++i) {
        const auto &p = kSuppliers[rnd.Next(20)];
        rnd.Next(3);
        int offset = -static_cast<int>(rnd.Next(80)) - 10;
        long cents = static_cast<long>(rnd.Next(250000)) + 1500;
        char doc[32];
        std::snprintf(doc, sizeof doc, "F%d-%04d", p.code, 1000 + i);
        forecast(1, SupplierAccount(p), doc, offset, offset + 30, cents, 0, p.formaPago);
    }
    for (int i = 0; i < 240; ++i) {
        const auto &p = kSuppliers[rnd.Next(20)];
        int offset = -static_cast<int>(rnd.Next(150));
        long cents = static_cast<long>(rnd.Next(180000)) + 500;
        char doc[32];
        std::snprintf(doc, sizeof doc, "R%d-%05d", p.code, 20000 + i);
        forecast(i % 40 == 39 ? 2 : 1, SupplierAccount(p), doc, offset, offset + 30 + static_cast<int>(rnd.Next(60)),
                 cents, i % 7 == 3 ? 1 : 0, p.formaPago);
    }
    // The forecasts of the ready mode-2 statement's invoices, numbered as the ERP seed links them.
    if (apunte != kForecastsBeforeReady) {
        throw std::logic_error("demo forecasts out of step with the ready statement's links");
    }
    for (const auto &l : kReadyMode2) {
        if (l.linkedCents != 0) {
            const auto &p = kSuppliers[l.supplier - 1];
            forecast(1, SupplierAccount(p), l.document, l.dateOffset, 10, l.linkedCents, 0, p.formaPago);
        }
    }
    s.WithIdentity("Previsiones_Pago", rows);
    return s.Take();
}

} // namespace schema
