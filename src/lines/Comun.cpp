#include "lines/Comun.h"

#include "suite/EmpresaLumbra.h"
#include "suite/EmpresaVarnex.h"
#include "suite/Formato.h"

#include <stdexcept>

namespace lines::comun {

long Numero(const std::string &text) {
    try {
        return text.empty() ? 0 : std::stol(text);
    } catch (const std::exception &) {
        return 0;
    }
}

std::string FechaCampo(const db::Field &f, bool conHora) {
    if (f.IsNull()) {
        return {};
    }
    auto d = suite::Fecha::Parse(f.AsText());
    if (!d || d->EsVacia()) {
        return {};
    }
    return conHora && d->TieneHora() ? d->Formato("dd/mm/yyyy hh:nn:ss") : suite::Formato::Instancia().FechaTexto(*d);
}

// Both counts are ten-thousandths and the rate a percentage: a cent is 10^8 of the product.
suite::Moneda Cuota(suite::Moneda base, suite::Moneda tipo) {
    __int128 producto = static_cast<__int128>(base.Units()) * tipo.Units();
    const __int128 centimo = 100000000;
    __int128 mitad = centimo / 2;
    __int128 centimos = producto >= 0 ? (producto + mitad) / centimo : -((-producto + mitad) / centimo);
    return suite::Moneda::FromUnits(static_cast<std::int64_t>(centimos * 100));
}

int EmpContableAlmacen(int codAlmacen) {
    auto rs = Ctx().conexionVarnex->OpenRecordset("SELECT EmpContable FROM Almacenes"
                                                  " WHERE Cod_Empresa =" +
                                                  std::to_string(Ctx().empresaVarnex->Codigo()) +
                                                  " AND Codigo =" + std::to_string(codAlmacen));
    int emp = rs->Eof() || rs->Fields(0).IsNull() ? 0 : static_cast<int>(rs->Fields(0).AsInt64());
    rs->Close();
    return emp;
}

std::string BaseContable() {
    std::string nombre = Ctx().empresaLumbra->Parametro("ODBCBaseDatos").ToText();
    // The name goes into SQL as an identifier: anything but a plain name is refused.
    if (nombre.empty()) {
        throw std::runtime_error("La empresa contable no tiene el parámetro ODBCBaseDatos.");
    }
    for (char c : nombre) {
        bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
        if (!ok) {
            throw std::runtime_error("El nombre de la base de datos contable no es válido: " + nombre);
        }
    }
    return nombre;
}

void MarcarTodas(host::Grid &grid, bool marcar) {
    for (int r = 1; r <= grid.DataRows(); ++r) {
        grid.SetTicked(r, marcar);
    }
}

void Alternar(host::Grid &grid, int row) {
    if (row >= 1 && row <= grid.DataRows()) {
        grid.Toggle(row);
    }
}

void RestaurarFila(host::Grid &grid, int fila, int superior) {
    if (grid.DataRows() < 1) {
        grid.row = 0;
        grid.topRow = 0;
        return;
    }
    if (fila >= 1 && fila < grid.Rows()) {
        grid.row = fila;
        grid.topRow = superior >= 1 && superior < grid.Rows() ? superior : 1;
    } else {
        grid.row = 1;
        grid.topRow = 1;
    }
}

} // namespace lines::comun
