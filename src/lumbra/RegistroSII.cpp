#include "lumbra/RegistroSII.h"

#include "db/Sql.h"
#include "suite/EmpresaLumbra.h"
#include "suite/Formato.h"

namespace lumbra {

long RegistroSII::Adjuntar(long asiento, int linea) {
    const auto &fmt = suite::Formato::Instancia();
    suite::Moneda base, cuota;
    for (const auto &i : impuestos) {
        base += i.base;
        cuota += i.cuota;
    }
    conexion_->Execute("INSERT INTO Registro_Facturas_Recibidas (Cod_Empresa, Cod_Ejercicio, Asiento, Linea, Cuenta, "
                       "Nif, Nombre, Pais, Documento, FechaFactura, FechaRegistro, Base, Cuota, Total) VALUES (" +
                       std::to_string(empresa_->Codigo()) + ", " + std::to_string(empresa_->Ejercicio()) + ", " +
                       std::to_string(asiento) + ", " + std::to_string(linea) + ", " + db::Quote(cuenta) + ", " +
                       db::Quote(nif) + ", " + db::Quote(nombre) + ", " + db::Quote(pais) + ", " +
                       db::Quote(documento) + ", '" + fmt.FechaTexto(fechaFactura) + "', '" +
                       fmt.FechaTexto(fechaRegistro) + "', " + fmt.NumeroSQL(base) + ", " +
                       fmt.NumeroSQL(cuota) + ", " + fmt.NumeroSQL(importe) + ")");
    auto rs = conexion_->OpenRecordset("SELECT ISNULL(@@IDENTITY, 0) AS Id");
    long id = static_cast<long>(rs->Fields(0).AsInt64());
    rs->Close();
    for (const auto &i : impuestos) {
        conexion_->Execute("INSERT INTO Registro_Facturas_Recibidas_Impuestos (IdRegistro, Base, Valor_Tipo, Cuota, "
                           "Tipo) VALUES (" +
                           std::to_string(id) + ", " + fmt.NumeroSQL(i.base) + ", " + fmt.NumeroSQL(i.valorTipo) +
                           ", " + fmt.NumeroSQL(i.cuota) + ", " + std::to_string(i.tipo) + ")");
    }
    return id;
}

} // namespace lumbra
