#pragma once

#include "db/Connection.h"
#include "host/Grid.h"
#include "host/Shell.h"

#include <string>
#include <vector>

// What the two payment-forecast windows share: their grid, the pieces of their queries and the
// link itself.
namespace lines::previsiones {

inline const char *kCampos = "SELECT pp.Cuenta, ISNULL(cta.Nombre, '') AS CuentaNombre, pp.Fecha_Doc, pp.Fecha_Vto, "
                             "pp.Documento, pp.Documento2, pp.Importe";
// Forecasts no line holds yet.
inline const char *kLibre =
    " AND NOT EXISTS (SELECT 1 FROM Compras_PagosCentral_PrevPagos vinc WHERE vinc.IdPrevPago = pp.Apunte)";

// Background of a forecast linked to the line (yellow).
inline constexpr long kColorVinculado = 65535;

// Columns 0 to 7, then the link mark (linking window only) and the forecast's Apunte.
std::vector<host::GridColumn> Columnas(bool conVinculo);

struct Consulta {
    int empContable = 0; // 0: the accounting company of the context
    int ejercicio = 0;
    std::string desde, hasta; // as SQL date texts

    // FROM, the account-name join and the company condition.
    std::string Base() const;
    std::string CondicionFechas() const { return " AND pp.Fecha_Vto BETWEEN '" + desde + "' AND '" + hasta + "'"; }
    // " AND pp.FormaPago IN (...)" from the ERP parameter, or "" when it is empty.
    static std::string FiltroFormaPago();
};

// Runs the query and fills the grid; with `conVinculo` the ExisteVinc column gives the "X" mark and
// the yellow row.
void Llenar(host::Grid &grid, const std::string &sql, bool conVinculo);
// Links forecast `apunte` to the line unless another line holds it already (then false).
bool Vincular(db::Connection &erp, long idExtractoLinea, long apunte, const std::string &importeTexto);
void RecalcularVinculado(db::Connection &erp, long idExtractoLinea);
// The same for every line of a comma-separated list of ids.
void RecalcularVinculados(db::Connection &erp, const std::string &lista);
// The lines that hold a link to forecast `apunte`, as a comma-separated list ("" when none).
std::string LineasDePrevision(db::Connection &erp, long apunte);
// Tells the user which forecasts were left alone because someone linked them meanwhile.
void AvisarOcupadas(host::Shell &shell, const std::vector<std::string> &documentos);

} // namespace lines::previsiones
