#include "lumbra/AsientoContable.h"

#include "db/Sql.h"
#include "suite/EmpresaLumbra.h"
#include "suite/Formato.h"

#include <stdexcept>
#include <string>

namespace lumbra {

void AsientoContable::Crear() {
    if (!conexion_->InTransaction()) {
        throw std::logic_error("El asiento debe crearse dentro de una transacción de la contabilidad");
    }
    ejercicio_ = empresa_->Ejercicio();
    const std::string clave = " WHERE Cod_Empresa =" + std::to_string(empresa_->Codigo()) +
                              " AND Cod_Ejercicio =" + std::to_string(ejercicio_) + " AND Nombre = 'Asiento'";
    // The update takes the counter's row first: a second run waits here until this one ends.
    if (conexion_->Execute("UPDATE Contadores SET Valor = Valor + 1" + clave) == 0) {
        conexion_->Execute("INSERT INTO Contadores (Cod_Empresa, Cod_Ejercicio, Nombre, Valor)"
                           " SELECT " +
                           std::to_string(empresa_->Codigo()) + ", " + std::to_string(ejercicio_) +
                           ", 'Asiento', ISNULL(MAX(Asiento),0) + 1 FROM Asientos WHERE Cod_Empresa =" +
                           std::to_string(empresa_->Codigo()) + " AND Cod_Ejercicio =" + std::to_string(ejercicio_));
    }
    auto rs = conexion_->OpenRecordset("SELECT Valor FROM Contadores" + clave);
    numero_ = static_cast<long>(rs->Fields(0).AsInt64());
    rs->Close();
    conexion_->Execute("INSERT INTO Asientos (Cod_Empresa, Cod_Ejercicio, Asiento, Fecha, Usuario) VALUES (" +
                       std::to_string(empresa_->Codigo()) + ", " + std::to_string(ejercicio_) + ", " +
                       std::to_string(numero_) + ", '" + suite::Formato::Instancia().FechaTexto(fecha_) + "', " +
                       std::to_string(empresa_->Parametro("UsuarioActual").ToLong()) + ")");
}

} // namespace lumbra
