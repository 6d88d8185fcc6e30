#include "lines/Previsiones.h"

#include "lines/Comun.h"
#include "suite/EmpresaLumbra.h"
#include "suite/EmpresaVarnex.h"
#include "suite/Formato.h"

#include <stdexcept>

namespace lines::previsiones {

using namespace comun;

std::vector<host::GridColumn> Columnas(bool conVinculo) {
    using A = host::GridAlign;
    using T = host::GridType;
    std::vector<host::GridColumn> c = {
        {"", 400, A::Center, T::Boolean},
        {"Cuenta Contable", 1300, A::Left, T::String},
        {"Cuenta Contable", 2000, A::Left, T::String},
        {"Documento", 1800, A::Left, T::String},
        {"Documento", 1800, A::Left, T::String},
        {"Fecha", 1200, A::Center, T::Date},
        {"Vto.", 1200, A::Center, T::Date},
        {"Importe", 1500, A::Right, T::Currency},
    };
    if (conVinculo) {
        c.push_back({"", 0, A::Center, T::String, true});
    }
    c.push_back({"", 0, A::Right, T::Long, true});
    return c;
}

std::string Consulta::Base() const {
    std::string base = BaseContable();
    int empresa = empContable > 0 ? empContable : Ctx().empresaLumbra->Codigo();
    return " FROM " + base + ".dbo.Previsiones_Pago pp" + " INNER JOIN " + base + ".dbo.Cuentas cta" +
           " ON pp.Cod_Empresa = cta.Cod_Empresa AND cta.Cod_Ejercicio = " + std::to_string(ejercicio) +
           " AND pp.Cuenta = cta.Cuenta" + " WHERE pp.Cod_Empresa =" + std::to_string(empresa);
}

std::string Consulta::FiltroFormaPago() {
    std::string lista = Ctx().empresaVarnex->Parametro("PagoCentral_PrevPagoTipoDocumentos").ToText();
    if (lista.find_first_not_of(' ') == std::string::npos) {
        return {};
    }
    // The list goes into the SQL as it stands, so it may hold nothing but codes and commas.
    for (char c : lista) {
        if (!((c >= '0' && c <= '9') || c == ',' || c == ' ')) {
            throw std::runtime_error("El parámetro PagoCentral_PrevPagoTipoDocumentos debe ser una lista de "
                                     "códigos separados por comas: " +
                                     lista);
        }
    }
    return " AND pp.FormaPago IN (" + lista + ")";
}

void Llenar(host::Grid &grid, const std::string &sql, bool conVinculo) {
    auto &fmt = suite::Formato::Instancia();
    auto rs = Ctx().conexionVarnex->OpenRecordset(sql);
    std::size_t cols = grid.columns.size();
    while (!rs->Eof()) {
        std::vector<std::string> fila(cols);
        fila[0] = "0";
        fila[1] = rs->Fields("Cuenta").AsText();
        fila[2] = rs->Fields("CuentaNombre").AsText();
        fila[3] = rs->Fields("Documento").AsText();
        fila[4] = rs->Fields("Documento2").AsText();
        fila[5] = FechaCampo(rs->Fields("Fecha_Doc"));
        fila[6] = FechaCampo(rs->Fields("Fecha_Vto"));
        fila[7] = fmt.Redondear(MonedaCampo(rs->Fields("Importe")), 2);
        bool vinculado = conVinculo && rs->Fields("ExisteVinc").AsInt64() != 0;
        if (conVinculo) {
            fila[8] = vinculado ? "X" : "";
        }
        fila[cols - 1] = rs->Fields("Apunte").AsText();
        grid.AddRow(std::move(fila));
        if (vinculado) {
            grid.SetRowBackColor(grid.DataRows(), kColorVinculado);
        }
        rs->MoveNext();
    }
    rs->Close();
}

bool Vincular(db::Connection &erp, long idExtractoLinea, long apunte, const std::string &importeTexto) {
    auto &fmt = suite::Formato::Instancia();
    std::string ap = std::to_string(apunte);
    auto rs = erp.OpenRecordset("SELECT COUNT(*) FROM Compras_PagosCentral_PrevPagos WHERE IdPrevPago =" + ap);
    bool ocupada = rs->Fields(0).AsInt64() > 0;
    rs->Close();
    if (ocupada) {
        return false;
    }
    erp.Execute("INSERT INTO Compras_PagosCentral_PrevPagos(IdExtractoLinea, IdPrevPago, Importe) VALUES(" +
                std::to_string(idExtractoLinea) + "," + ap + "," + fmt.NumeroSQL(fmt.ANumero(importeTexto)) + ")");
    return true;
}

void RecalcularVinculado(db::Connection &erp, long idExtractoLinea) {
    std::string id = std::to_string(idExtractoLinea);
    erp.Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET ImporteVinculado = (SELECT "
                "dbo.fn_DevPagosCenImporteVinculadoLineaPrevPagos(" +
                id + "))" + " WHERE IdExtractoLinea = " + id);
}

void RecalcularVinculados(db::Connection &erp, const std::string &lista) {
    if (lista.empty()) {
        return;
    }
    erp.Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET ImporteVinculado = (SELECT "
                "dbo.fn_DevPagosCenImporteVinculadoLineaPrevPagos(IdExtractoLinea))"
                " WHERE IdExtractoLinea IN (" +
                lista + ")");
}

std::string LineasDePrevision(db::Connection &erp, long apunte) {
    auto rs = erp.OpenRecordset("SELECT DISTINCT IdExtractoLinea FROM Compras_PagosCentral_PrevPagos WHERE IdPrevPago =" +
                                std::to_string(apunte));
    std::string lista;
    while (!rs->Eof()) {
        lista += (lista.empty() ? "" : ",") + std::to_string(rs->Fields(0).AsInt64());
        rs->MoveNext();
    }
    rs->Close();
    return lista;
}

void AvisarOcupadas(host::Shell &shell, const std::vector<std::string> &documentos) {
    if (documentos.empty()) {
        return;
    }
    std::string lista;
    for (const auto &d : documentos) {
        lista += "\n" + d;
    }
    shell.MsgBox("Estas previsiones de pago ya estaban vinculadas a otra línea y no se han vinculado:" + lista,
                 kAtencion, host::Icon::Information);
}

} // namespace lines::previsiones
