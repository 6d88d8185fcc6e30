#include "app/LineasComando.h"

#include "app/ComandosExtractos.h"
#include "host/Contexto.h"
#include "host/ScriptedShell.h"
#include "suite/EmpresaVarnex.h"
#include "suite/Fecha.h"

#include <sstream>
#include <stdexcept>

namespace app {

using lines::frmExtractos_Lineas;

std::vector<std::string> Lista(const std::string &text) {
    std::vector<std::string> out;
    std::stringstream in(text);
    std::string item;
    while (std::getline(in, item, ',')) {
        std::size_t a = item.find_first_not_of(' '), b = item.find_last_not_of(' ');
        if (a != std::string::npos) {
            out.push_back(item.substr(a, b - a + 1));
        }
    }
    return out;
}

std::vector<long> Ids(const std::string &text, const std::string &what) {
    std::vector<long> ids;
    for (const auto &s : Lista(text)) {
        ids.push_back(Numero(s, what));
    }
    if (ids.empty()) {
        throw std::runtime_error("Falta " + what);
    }
    return ids;
}

void AbrirLineas(frmExtractos_Lineas &w, host::Shell &shell, long idLinea) {
    auto &ctx = host::Contexto::Global();
    auto rs = ctx.conexionVarnex->OpenRecordset(
        "SELECT e.Cod_Almacen, e.Cod_Extracto, e.Cerrado, e.FechaExtracto, e.FechaVto"
        " FROM Compras_PagosCentral_Extractos_Lineas lin"
        " INNER JOIN Compras_PagosCentral_Extractos e ON e.Cod_Empresa = lin.Cod_Empresa AND e.Cod_Almacen = "
        "lin.Cod_Almacen AND e.Cod_Extracto = lin.Cod_Extracto"
        " WHERE lin.Cod_Empresa =" +
        std::to_string(ctx.empresaVarnex->Codigo()) + " AND lin.IdExtractoLinea =" + std::to_string(idLinea));
    if (rs->Eof()) {
        throw std::runtime_error("No existe la línea de extracto " + std::to_string(idLinea));
    }
    auto fecha = [&](const char *f) {
        return rs->Fields(f).IsNull() ? suite::Fecha() : suite::Fecha::Parse(rs->Fields(f).AsText()).value_or(suite::Fecha());
    };
    w.codAlmacen = static_cast<int>(rs->Fields("Cod_Almacen").AsInt64());
    w.codExtracto = rs->Fields("Cod_Extracto").AsText();
    w.extractoCerrado = rs->Fields("Cerrado").AsInt64() != 0;
    w.fechaExtracto = fecha("FechaExtracto");
    w.fechaVto = fecha("FechaVto");
    rs->Close();
    host::ScriptedShell quiet;
    w.SetShell(quiet);
    w.Show();
    w.txtFechaI.text = "01/01/1900";
    w.txtFechaF.text = "31/12/9999";
    w.Cargar_Lineas();
    w.SetShell(shell);
    if (!quiet.messages.empty()) {
        throw std::runtime_error(quiet.messages.back().text);
    }
}

int FilaDe(const frmExtractos_Lineas &w, long id) {
    for (int r = 1; r <= w.vsLineas.DataRows(); ++r) {
        if (w.vsLineas.Text(r, frmExtractos_Lineas::colIdLinea) == std::to_string(id)) {
            return r;
        }
    }
    throw std::runtime_error("La línea de extracto " + std::to_string(id) + " no está en su extracto");
}

} // namespace app
