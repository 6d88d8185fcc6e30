#include "lumbra/PrevisionesContables.h"

#include "db/Sql.h"
#include "suite/EmpresaLumbra.h"
#include "suite/Formato.h"

#include <algorithm>

namespace lumbra {

void PrevisionesContables::Liquidada(long apunte, bool liquidada) {
    conexion_->Execute("UPDATE Previsiones_Pago SET Estado = " + std::string(liquidada ? "1" : "0") +
                       ", AsientoPago = " + std::to_string(liquidada ? asiento_ : 0) + " WHERE Cod_Empresa =" +
                       std::to_string(empresa_->Codigo()) + " AND Apunte =" + std::to_string(apunte));
}

void PrevisionesContables::Contrapartida(long apunte, const std::string &cuenta) {
    conexion_->Execute("UPDATE Previsiones_Pago SET CuentaContrapartida = " + db::Quote(cuenta) +
                       " WHERE Cod_Empresa =" + std::to_string(empresa_->Codigo()) +
                       " AND Apunte =" + std::to_string(apunte));
}

std::vector<long> PrevisionesContables::Crear(const std::string &cuenta, const std::string &documento,
                                              const std::string &documento2, const suite::Fecha &fechaDocumento,
                                              suite::Moneda importe, int formaPago) {
    auto rs = conexion_->OpenRecordset("SELECT GenerarPrev, PrimerVto, NroVtos, RestoVtos FROM Formas_Pago"
                                       " WHERE Codigo =" +
                                       std::to_string(formaPago));
    if (rs->Eof() || rs->Fields("GenerarPrev").AsInt64() == 0) {
        return {};
    }
    const long primero = static_cast<long>(rs->Fields("PrimerVto").AsInt64());
    const long resto = static_cast<long>(rs->Fields("RestoVtos").AsInt64());
    const long vencimientos = std::max<long>(1, static_cast<long>(rs->Fields("NroVtos").AsInt64()));
    rs->Close();
    const suite::Moneda parte = (importe / static_cast<std::int64_t>(vencimientos)).Redondear(2);
    std::vector<Vencimiento> dues;
    suite::Moneda repartido;
    for (long v = 0; v < vencimientos; ++v) {
        suite::Moneda cuota = v + 1 == vencimientos ? importe - repartido : parte;
        repartido += cuota;
        dues.push_back({fechaDocumento.SumarDias(primero + v * resto), cuota, 0, ""});
    }
    return Crear(cuenta, documento, documento2, fechaDocumento, dues, formaPago);
}

std::vector<long> PrevisionesContables::Crear(const std::string &cuenta, const std::string &documento,
                                              const std::string &documento2, const suite::Fecha &fechaDocumento,
                                              const std::vector<Vencimiento> &vencimientos, int formaPago) {
    const auto &fmt = suite::Formato::Instancia();
    std::vector<long> apuntes;
    for (const auto &v : vencimientos) {
        conexion_->Execute("INSERT INTO Previsiones_Pago (Cod_Empresa, Cuenta, Documento, Documento2, Fecha_Doc, "
                           "Fecha_Vto, Importe, Estado, FormaPago, Asiento, Cod_Ejercicio, TipoDoc, CuentaBanco) "
                           "VALUES (" +
                           std::to_string(empresa_->Codigo()) + ", " + db::Quote(cuenta) + ", " + db::Quote(documento) +
                           ", " + db::Quote(documento2) + ", '" + fmt.FechaTexto(fechaDocumento) + "', '" +
                           fmt.FechaTexto(v.fecha) + "', " + fmt.NumeroSQL(v.importe) + ", 0, " +
                           std::to_string(formaPago) + ", " + std::to_string(asiento_) + ", " +
                           std::to_string(empresa_->Ejercicio()) + ", " + std::to_string(v.tipoDoc) + ", " +
                           db::Quote(v.cuentaBanco) + ")");
        auto id = conexion_->OpenRecordset("SELECT ISNULL(@@IDENTITY, 0) AS Id");
        apuntes.push_back(static_cast<long>(id->Fields(0).AsInt64()));
    }
    return apuntes;
}

} // namespace lumbra
