#include "accounting/EscritorSage200.h"

#include "db/Sql.h"
#include "host/Contexto.h"
#include "host/Shell.h"
#include "suite/EmpresaVarnex.h"
#include "suite/FicherosEnUtf8.h"

#include <chrono>
#include <cstdint>
#include <stdexcept>

namespace accounting {

namespace {

host::Contexto &Ctx() { return host::Contexto::Global(); }

std::string Dia(const suite::Fecha &f) { return f.Formato("dd/mm/yyyy"); }

// The statement code goes into the file names, which Windows machines also open.
void NombreValido(const std::string &extracto) {
    for (unsigned char c : extracto) {
        if (c < 0x20 || std::string_view("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos) {
            throw std::runtime_error("El código de extracto «" + extracto +
                                     "» no puede formar parte del nombre de un fichero de Sage 200");
        }
    }
}

} // namespace

EscritorSage200::EscritorSage200(host::Shell &shell, std::string carpeta, std::string extracto, short almacen,
                                 RelojFicheros reloj, std::vector<std::string> &escritos)
    : shell_(shell), carpeta_(std::move(carpeta)), extracto_(std::move(extracto)), almacen_(almacen),
      reloj_(std::move(reloj)), escritos_(escritos), utf8_(suite::FicherosEnUtf8(*Ctx().empresaVarnex)) {
    if (!reloj_.ahora) {
        reloj_.ahora = [] { return suite::Fecha::Ahora(); };
    }
    if (!reloj_.esperar) {
        // Names change with the second: wait for the next one rather than asking the clock in a loop.
        reloj_.esperar = [this] {
            using namespace std::chrono;
            const auto ms = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count() % 1000;
            shell_.Esperar(static_cast<int>(1000 - ms) + 5);
        };
    }
}

void EscritorSage200::Empezar(Parte parte) {
    NombreValido(extracto_);
    parte_ = parte;
    if (parte == Parte::Registro) {
        registro_.emplace("de registro", utf8_);
        asiento_ = 0;
    } else {
        pago_.emplace("de pago", utf8_);
    }
}

void EscritorSage200::Terminar(Parte parte) {
    if (parte != Parte::Pago) {
        return;
    }
    const std::string prefijo = "PagCenSAGE200_" + extracto_ + "_";
    if (registro_) {
        escritos_.push_back(registro_->Escribir(carpeta_, prefijo, reloj_));
        registro_.reset();
    }
    if (pago_) {
        escritos_.push_back(pago_->Escribir(carpeta_, prefijo + "PAGO_", reloj_));
        pago_.reset();
    }
}

long EscritorSage200::NuevoAsiento(const suite::Fecha &fecha) {
    fecha_ = fecha.SoloFecha();
    asiento_ = parte_ == Parte::Registro ? asiento_ + 1 : 1;
    return asiento_;
}

FicheroSage200 &EscritorSage200::Actual() {
    auto &f = parte_ == Parte::Registro ? registro_ : pago_;
    if (!f) {
        throw std::logic_error("No hay ningún fichero de Sage 200 abierto");
    }
    return *f;
}

void EscritorSage200::CamposComunes(FicheroSage200 &f, const ApunteAsiento &a, const std::string &descripcion) {
    f.Campo(a.alHaber ? "H" : "D")
        .Campo(a.cuenta)
        .Campo({})
        .Campo(std::to_string(asiento_))
        .Campo(descripcion)
        .Campo(Dia(fecha_))
        .Campo(Importe(a.alHaber ? a.haber : a.debe));
}

int EscritorSage200::Apunte(const ApunteAsiento &a) {
    auto &f = Actual();
    using P = ApunteAsiento::Papel;
    std::string descripcion;
    if (a.papel == P::Reclamacion || a.papel == P::Contrapartida) {
        descripcion = a.concepto;
    } else if (parte_ == Parte::Registro) {
        descripcion = a.proveedor + " / " + a.documento;
    } else {
        descripcion = "TRANSF. " + a.proveedor;
    }
    CamposComunes(f, a, descripcion);
    f.Campo(a.papel == P::GastoProntoPago ? Dev_CodigoAlmacen(almacen_) : std::string());
    if (parte_ == Parte::Pago && a.papel != P::Contrapartida) {
        f.Hasta(13).Campo("I");
    }
    f.Hasta(37).Fin();
    return f.Registros();
}

int EscritorSage200::CerrarLinea(const ApunteAsiento &a, const LineaCerrada &linea) {
    if (parte_ != Parte::Registro) {
        return Apunte(a);
    }
    auto &f = Actual();
    const std::string dia = Dia(fecha_);
    const long numero = Dev_Codigo(true, "", fecha_);
    CamposComunes(f, a, a.proveedor + " / " + a.documento);
    // Field 13 is the date in the system's short form, which on the suite's machines is dd/mm/yyyy.
    f.Campo({}).Campo({}).Campo("IMP").Campo(std::to_string(numero)).Campo(a.documento).Campo(dia).Campo("R");
    f.Campo(a.cuenta).Campo(linea.pais).Campo(linea.nif).Campo(a.proveedor);
    auto &erp = *Ctx().conexionVarnex;
    auto rs = erp.OpenRecordset("SELECT cpe.Base, cpe.Valor_Tipo, cpe.Importe, cpe.Tipo, ext.Cod_Externo"
                                " FROM Compras_PagosCentral_Extractos_Lineas_Impuestos cpe"
                                " LEFT JOIN Igic_Tipos ig ON ig.Cod_Empresa =" +
                                std::to_string(Ctx().empresaVarnex->Codigo()) + " AND ig.FechaI <= '" + dia +
                                "' AND ig.FechaF >= '" + dia +
                                "' AND ig.Tipo = cpe.Tipo"
                                " LEFT JOIN Igic_Tipos_Externo ext ON ig.ID = ext.ID AND ext.Cod_AppExportar = 17"
                                " WHERE cpe.IdExtractoLinea =" +
                                std::to_string(linea.idLinea));
    auto importe = [&](int i) { return Importe(suite::Moneda::FromUnits(rs->Fields(i).AsCurrencyUnits())); };
    for (; !rs->Eof(); rs->MoveNext()) {
        f.Campo(rs->Fields(3).AsInt64() == 0 ? "17" : rs->Fields(4).AsText());
        f.Campo(importe(1)).Campo(importe(0)).Campo(importe(2)).Campo("1");
    }
    rs->Close();
    // Every group of five, the last one too, ends with ";".
    f.Campo({}).Fin();
    return f.Registros();
}

long EscritorSage200::Dev_Codigo(bool avanzar, std::string serie, const suite::Fecha &fecha) {
    auto &empresa = *Ctx().empresaVarnex;
    const int anio = fecha.Anio();
    if (empresa.EjercicioCerrado(anio) == 1) {
        throw std::runtime_error("El ejercicio " + std::to_string(anio) + " está cerrado");
    }
    if (serie.empty()) {
        serie = "IMP";
    }
    auto &erp = *Ctx().conexionVarnex;
    const std::string clave = " WHERE Cod_Empresa =" + std::to_string(empresa.Codigo()) +
                              " AND Cod_Ejercicio =" + std::to_string(anio) + " AND Serie ='" + db::Escape(serie) + "'";
    // The row is changed only if it still holds what was read: a second user's run that took a
    // number meanwhile makes this one read again.
    for (int intento = 0;; ++intento) {
        auto rs = erp.OpenRecordset("SELECT * FROM Contador_SAGE200" + clave);
        const bool existe = !rs->Eof();
        const std::int64_t anterior = existe ? rs->Fields("Codigo").AsInt64() : 0;
        rs->Close();
        const long codigo = static_cast<long>(anterior + 1);
        if (!avanzar) {
            return codigo;
        }
        if (!existe) {
            erp.Execute("INSERT INTO Contador_SAGE200 (Cod_Empresa, Cod_Ejercicio, Serie, Codigo) VALUES (" +
                        std::to_string(empresa.Codigo()) + ", " + std::to_string(anio) + ", " + db::Quote(serie) +
                        ", 1)");
            return codigo;
        }
        if (erp.Execute("UPDATE Contador_SAGE200 SET Codigo = " + std::to_string(codigo) + clave +
                        " AND Codigo = " + std::to_string(anterior)) > 0) {
            return codigo;
        }
        if (intento == 10) {
            throw std::runtime_error("El contador de Sage 200 de la serie " + serie + " del ejercicio " +
                                     std::to_string(anio) + " está en uso por otro usuario");
        }
    }
}

std::string EscritorSage200::Dev_CodigoAlmacen(short almacen) {
    switch (almacen) {
    case 1:
        return "3";
    case 2:
        return "1";
    case 3:
        return "2";
    case 295:
        return "4";
    case 335:
        return "5";
    default:
        return "";
    }
}

std::string EscritorSage200::Importe(suite::Moneda importe) {
    // Ten-thousandths to hundredths, halves away from zero as the mask rounds.
    const std::int64_t u = importe.Units();
    const std::int64_t centimos = (u + (u < 0 ? -50 : 50)) / 100;
    std::uint64_t a = centimos < 0 ? static_cast<std::uint64_t>(-centimos) : static_cast<std::uint64_t>(centimos);
    // Written backwards into a buffer: this runs for every amount of every record.
    char buf[32];
    char *p = buf + sizeof buf;
    *--p = static_cast<char>('0' + a % 10);
    a /= 10;
    *--p = static_cast<char>('0' + a % 10);
    a /= 10;
    *--p = '.';
    do {
        *--p = static_cast<char>('0' + a % 10);
        a /= 10;
    } while (a > 0);
    if (centimos < 0) {
        *--p = '-';
    }
    return std::string(p, buf + sizeof buf);
}

} // namespace accounting
