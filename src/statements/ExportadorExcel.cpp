#include "statements/ExportadorExcel.h"

#include "db/Sql.h"
#include "statements/Columna.h"
#include "suite/EmpresaVarnex.h"
#include "suite/Fecha.h"
#include "suite/Moneda.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <tuple>

namespace statements {

namespace {

namespace fs = std::filesystem;

enum class Tipo { Texto, Numero, Fecha, Importe, ImporteFijo, Marca };

struct Encabezado {
    const char *titulo;
    Tipo tipo;
};

// "0.00" on the amount and the linked amount; the other amounts follow the company's decimals.
constexpr std::array<Encabezado, 16> kColumnas = {{
    {"Cuenta Contable", Tipo::Texto},
    {"Proveedor", Tipo::Numero},
    {"Proveedor", Tipo::Texto},
    {"Tipo Pago", Tipo::Numero},
    {"Tipo Pago", Tipo::Texto},
    {"Documento", Tipo::Texto},
    {"Documento Central", Tipo::Texto},
    {"Fecha", Tipo::Fecha},
    {"Importe", Tipo::ImporteFijo},
    {"Vinculado", Tipo::ImporteFijo},
    {"Diferencia", Tipo::Importe},
    {"Pronto Pago", Tipo::Marca},
    {"Observaciones", Tipo::Texto},
    {"Cuenta Vinc.", Tipo::Texto},
    {"Documento Vinc.", Tipo::Texto},
    {"Importe Vinc.", Tipo::Importe},
}};

std::size_t Caracteres(std::string_view s) {
    std::size_t n = 0;
    for (unsigned char c : s) {
        n += (c & 0xC0) != 0x80;
    }
    return n;
}

// Characters of the amount as the sheet shows it ("-1234.56"), without writing it out.
std::size_t AnchoImporte(suite::Moneda m, int decimales) {
    std::int64_t entero = m.Units() / suite::Moneda::kEscala;
    std::size_t n = m.Units() < 0 ? 2 : 1;
    for (entero = entero < 0 ? -entero : entero; entero >= 10; entero /= 10) {
        ++n;
    }
    return n + (decimales > 0 ? static_cast<std::size_t>(decimales) + 1 : 0);
}

// The workbook being written: closed (and its file removed) if the export stops half-way.
class Libro {
  public:
    explicit Libro(const std::string &ruta) : tmp_(ruta + ".tmp") {
        // Rows go to a temporary file as they are written: memory stays flat on long statements.
        lxw_workbook_options opciones = {};
        opciones.constant_memory = LXW_TRUE;
        libro = workbook_new_opt(tmp_.c_str(), &opciones);
        if (!libro) {
            throw std::runtime_error("No se puede crear el libro " + tmp_);
        }
    }
    ~Libro() {
        if (libro) {
            workbook_close(libro);
        }
        if (!hecho_) {
            std::error_code ec;
            fs::remove(tmp_, ec);
        }
    }
    void Colocar(const std::string &ruta) {
        lxw_error e = workbook_close(libro);
        libro = nullptr;
        if (e != LXW_NO_ERROR) {
            throw std::runtime_error("No se ha podido escribir el libro " + ruta + ": " + lxw_strerror(e));
        }
        fs::rename(tmp_, ruta);
        hecho_ = true;
    }
    lxw_workbook *libro = nullptr;

  private:
    std::string tmp_;
    bool hecho_ = false;
};

void Comprobar(lxw_error e, int fila, int col) {
    if (e != LXW_NO_ERROR) {
        throw std::runtime_error("No se puede escribir la celda de la fila " + std::to_string(fila + 1) +
                                 ", columna " + std::to_string(col + 1) + ": " + lxw_strerror(e));
    }
}

} // namespace

ExportadorExcel::ExportadorExcel(db::Connection &erp, const suite::EmpresaVarnex &empresa, std::string baseContable)
    : erp_(erp), empresa_(empresa), baseContable_(std::move(baseContable)) {}

std::string ExportadorExcel::Consulta(int modo, int almacen, const std::string &extracto) const {
    const std::string co = std::to_string(empresa_.Codigo());
    const std::string fn =
        modo == 2 ? "dbo.fn_DevPagosCenImporteVinculadoLineaPrevPagos" : "dbo.fn_DevPagosCenImporteVinculadoLinea";
    std::string sql =
        "SELECT tp.Codigo AS TipoPagoCodigo, tp.Nombre AS TipoPagoNombre, lin.ProntoPago, lin.Cod_Proveedor AS "
        "ProvCodigo,"
        " ISNULL(prov.Nombre,'') AS ProvNombre, lin.Cta_Proveedor, ISNULL(prov.Cta_Proveedor,'') AS "
        "Cta_ProveedorFicha,"
        " ISNULL(prov.Cont_Compras,0) AS Cont_Compras, lin.Documento, lin.DocumentoCentral, lin.Fecha, lin.Importe, "
        "lin.IdExtractoLinea,";
    sql += modo == 2 ? " 0 AS ExisteRec," : " ISNULL(rec.IdExtractoLinea,0) AS ExisteRec,";
    sql += " CASE WHEN " + fn + "(lin.IdExtractoLinea) = 0 THEN 0 ELSE 1 END AS ExisteVinc," + " " + fn +
           "(lin.IdExtractoLinea) AS ImporteVinculado," + " lin.Importe - " + fn +
           "(lin.IdExtractoLinea) AS ImporteDiferencia," +
           " ISNULL(prov.PagoCentralDifCur,0) AS PagoCentralDifCur, ISNULL(prov.PagoCentralDifPor,0) AS "
           "PagoCentralDifPor";
    if (modo == 2) {
        sql += ", lin.Obs1, lin.Obs2, lin.Obs3, lin.Obs4, ISNULL(pp.Cuenta,'') AS CuentaPP, ISNULL(pp.Documento,'') AS "
               "DocumentoPP, pp.Importe AS ImportePP";
    }
    sql += " FROM Compras_PagosCentral_Extractos_Lineas lin"
           " LEFT JOIN Proveedores prov ON prov.Cod_Empresa =" +
           co + " AND prov.Codigo = lin.Cod_Proveedor";
    if (modo != 2) {
        sql += " LEFT JOIN Compras_PagosCentral_Extractos_Lineas_Reclamacion rec ON rec.IdExtractoLinea = "
               "lin.IdExtractoLinea";
    }
    sql += " LEFT JOIN Compras_PagosCentral_Extractos_TiposPago tp ON tp.Codigo = lin.TipoPago";
    if (modo == 2) {
        sql += " LEFT JOIN Compras_pagosCentral_PrevPagos pcpp ON pcpp.IdExtractoLinea = lin.IdExtractoLinea"
               " LEFT JOIN " +
               baseContable_ + ".dbo.Previsiones_Pago pp ON pp.Apunte = pcpp.IdPrevPago";
    }
    sql += " WHERE lin.Cod_Empresa =" + co + " AND lin.Cod_Almacen =" + std::to_string(almacen) +
           " AND lin.Cod_Extracto ='" + db::Escape(extracto) + "'";
    // The line's id (and the forecast's) last: the rows of one line stay together in a fixed order.
    sql += " ORDER BY lin.Cod_Proveedor, lin.Fecha, lin.Importe";
    sql += modo == 2 ? ", lin.IdExtractoLinea, pcpp.IdPrevPago" : ", lin.IdExtractoLinea";
    return sql;
}

int ExportadorExcel::Escribir(const std::string &ruta, int modo, int almacen, const std::string &extracto) const {
    const int decimales = empresa_.DecimalesImporte();
    const int columnas = modo == 2 ? 16 : 12;
    auto rs = erp_.OpenRecordset(Consulta(modo, almacen, extracto));

    Libro libro(ruta);
    lxw_worksheet *hoja = workbook_add_worksheet(libro.libro, "Extracto");
    std::string formatoImporte = decimales > 0 ? "0." + std::string(static_cast<std::size_t>(decimales), '0') : "0";
    // One format object per distinct style: libxlsxwriter looks a duplicate up again on every cell.
    std::map<std::tuple<int, std::string, bool>, lxw_format *> estilos;
    auto estilo = [&](uint8_t alin, const std::string &numero, bool negrita) {
        lxw_format *&f = estilos[{alin, numero, negrita}];
        if (!f) {
            f = workbook_add_format(libro.libro);
            format_set_align(f, alin);
            if (!numero.empty()) {
                format_set_num_format(f, numero.c_str());
            }
            if (negrita) {
                format_set_bold(f);
            }
        }
        return f;
    };
    std::array<lxw_format *, kColumnas.size()> formato{}, cabecera{};
    for (std::size_t c = 0; c < kColumnas.size(); ++c) {
        uint8_t alin = LXW_ALIGN_RIGHT;
        std::string numero;
        switch (kColumnas[c].tipo) {
        case Tipo::Texto:
            alin = LXW_ALIGN_LEFT;
            break;
        case Tipo::Fecha:
            alin = LXW_ALIGN_CENTER;
            numero = "dd/mm/yyyy";
            break;
        case Tipo::Marca:
            alin = LXW_ALIGN_CENTER;
            break;
        case Tipo::ImporteFijo:
            numero = "0.00";
            break;
        case Tipo::Importe:
            numero = formatoImporte;
            break;
        case Tipo::Numero:
            break;
        }
        formato[c] = estilo(alin, numero, false);
        cabecera[c] = estilo(alin, "", true);
    }

    std::array<std::size_t, kColumnas.size()> ancho{};
    auto texto = [&](int fila, int c, const std::string &t) {
        if (!t.empty()) {
            Comprobar(worksheet_write_string(hoja, fila, c, t.c_str(), formato[c]), fila, c);
        }
        ancho[c] = std::max(ancho[c], Caracteres(t));
    };
    auto importe = [&](int fila, int c, const db::Field &f) {
        if (f.IsNull()) {
            return;
        }
        suite::Moneda m = suite::Moneda::FromUnits(f.AsCurrencyUnits()).Redondear(decimales);
        Comprobar(worksheet_write_number(hoja, fila, c, m.ToDouble(), formato[c]), fila, c);
        ancho[c] = std::max(ancho[c], AnchoImporte(m, decimales));
    };
    auto numero = [&](int fila, int c, const db::Field &f) {
        if (f.IsNull()) {
            return;
        }
        Comprobar(worksheet_write_number(hoja, fila, c, static_cast<double>(f.AsInt64()), formato[c]), fila, c);
        ancho[c] = std::max(ancho[c], f.AsText().size());
    };

    for (int c = 0; c < columnas; ++c) {
        Comprobar(worksheet_write_string(hoja, 0, c, kColumnas[c].titulo, cabecera[c]), 0, c);
        ancho[c] = Caracteres(kColumnas[c].titulo) + 1; // bold
    }
    auto col = [&rs](const char *nombre) { return Columna(*rs, nombre); };
    const std::size_t cId = col("IdExtractoLinea"), cCuenta = col("Cta_Proveedor"), cProv = col("ProvCodigo"),
                      cNombre = col("ProvNombre"), cTipo = col("TipoPagoCodigo"), cTipoNombre = col("TipoPagoNombre"),
                      cDoc = col("Documento"), cCentral = col("DocumentoCentral"), cFecha = col("Fecha"),
                      cImporte = col("Importe"), cVinculado = col("ImporteVinculado"),
                      cDiferencia = col("ImporteDiferencia"), cPronto = col("ProntoPago");
    std::size_t cObs[4] = {}, cCuentaPP = 0, cDocPP = 0, cImportePP = 0;
    if (modo == 2) {
        const char *obs[] = {"Obs1", "Obs2", "Obs3", "Obs4"};
        for (int i = 0; i < 4; ++i) {
            cObs[i] = col(obs[i]);
        }
        cCuentaPP = col("CuentaPP");
        cDocPP = col("DocumentoPP");
        cImportePP = col("ImportePP");
    }
    int fila = 0;
    long long anterior = -1;
    for (; !rs->Eof(); rs->MoveNext()) {
        const long long id = rs->Fields(cId).AsInt64();
        const bool otraPrevision = id == anterior;
        anterior = id;
        if (otraPrevision && modo != 2) {
            continue; // a second claim of the line
        }
        ++fila;
        if (!otraPrevision) {
            texto(fila, 0, rs->Fields(cCuenta).AsText());
            numero(fila, 1, rs->Fields(cProv));
            texto(fila, 2, rs->Fields(cNombre).AsText());
            numero(fila, 3, rs->Fields(cTipo));
            texto(fila, 4, rs->Fields(cTipoNombre).AsText());
            texto(fila, 5, rs->Fields(cDoc).AsText());
            texto(fila, 6, rs->Fields(cCentral).AsText());
            auto d = suite::Fecha::Parse(rs->Fields(cFecha).AsText());
            if (d && !d->EsVacia()) {
                lxw_datetime dt = {d->Anio(), d->Mes(), d->Dia(), 0, 0, 0};
                Comprobar(worksheet_write_datetime(hoja, fila, 7, &dt, formato[7]), fila, 7);
                ancho[7] = std::max<std::size_t>(ancho[7], 10);
            }
            importe(fila, 8, rs->Fields(cImporte));
            importe(fila, 9, rs->Fields(cVinculado));
            importe(fila, 10, rs->Fields(cDiferencia));
            texto(fila, 11, rs->Fields(cPronto).AsInt64() != 0 ? "X" : "");
            if (modo == 2) {
                std::string obs;
                for (std::size_t c : cObs) {
                    std::string t = rs->Fields(c).AsText();
                    if (!t.empty()) {
                        obs += (obs.empty() ? "" : " ") + t;
                    }
                }
                texto(fila, 12, obs);
            }
        }
        if (modo == 2) {
            texto(fila, 13, rs->Fields(cCuentaPP).AsText());
            texto(fila, 14, rs->Fields(cDocPP).AsText());
            importe(fila, 15, rs->Fields(cImportePP));
        }
    }
    rs->Close();
    // Fitted to what each column holds, within what a screen shows.
    for (int c = 0; c < columnas; ++c) {
        double w = static_cast<double>(std::min<std::size_t>(ancho[c], 80)) + 2;
        Comprobar(worksheet_set_column(hoja, c, c, w, nullptr), 0, c);
    }
    libro.Colocar(ruta);
    return fila;
}

} // namespace statements
