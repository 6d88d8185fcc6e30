#include "statements/ExportadorEuromadi.h"

#include "db/Sql.h"
#include "statements/Columna.h"
#include "suite/EmpresaVarnex.h"
#include "suite/Fecha.h"
#include "suite/Formato.h"
#include "suite/Moneda.h"
#include "suite/Windows1252.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>

namespace statements {

namespace {

namespace fs = std::filesystem;
using Alin = suite::Formato::Alineacion;

const char *kCondicion = " AND (lin.NoPago = 1 OR lin.Nueva_FechaVto > '01/01/1900' OR lin.Emisor > 0)";

std::size_t Caracteres(std::string_view s) {
    std::size_t n = 0;
    for (unsigned char c : s) {
        n += (c & 0xC0) != 0x80;
    }
    return n;
}

// Zero-filled to `ancho` digits; a longer number keeps all its digits for the caller to refuse.
std::string Cifras(long long v, std::size_t ancho) {
    std::string s = std::to_string(v);
    return s.size() < ancho ? std::string(ancho - s.size(), '0') + s : s;
}

std::string SinPuntos(std::string s) {
    std::erase(s, '.');
    return s;
}

// "yyyymmdd"; ISO text as the database layer gives dates is taken as it stands.
std::string Aaaammdd(const db::Field &f) {
    const std::string t = f.AsText();
    if (t.size() >= 10 && t[4] == '-' && t[7] == '-') {
        return t.substr(0, 4) + t.substr(5, 2) + t.substr(8, 2);
    }
    auto d = f.IsNull() ? std::nullopt : suite::Fecha::Parse(t);
    return d.value_or(suite::Fecha()).Formato("yyyymmdd");
}

// The records of one statement line in Windows-1252; the first field that cannot be written stops
// them with the reason, naming the line (or the company parameter) and the field.
class Registros {
  public:
    struct Linea {
        long long id = 0;
        std::string proveedor, documento;
    };

    // `linea` null: the fields are the company's parameters.
    explicit Registros(const Linea *linea) : linea_(linea) {}

    // `texto` (UTF-8) as it stands, or cut or filled to `ancho` characters.
    void Campo(std::string_view texto, const char *campo, int ancho = -1, Alin alin = Alin::Izquierda) {
        if (!error.empty()) {
            return;
        }
        bool ascii = true;
        for (unsigned char c : texto) {
            if (c < 0x20 || c == 0x7F) {
                Fallo(campo, "contiene un carácter de control (un salto de línea o un tabulador) que rompería el "
                             "registro.");
                return;
            }
            ascii = ascii && c < 0x80;
        }
        if (ascii) {
            // One byte a character: cut or filled here, the common case.
            const std::size_t n = ancho < 0 ? texto.size() : static_cast<std::size_t>(ancho);
            const std::size_t relleno = n > texto.size() ? n - texto.size() : 0;
            if (alin == Alin::Derecha) {
                bytes.append(relleno, ' ');
            }
            bytes.append(texto.substr(0, n));
            if (alin == Alin::Izquierda) {
                bytes.append(relleno, ' ');
            }
            return;
        }
        std::string ajustado = ancho < 0 ? std::string(texto) : suite::Formato::Instancia().Rellenar(texto, ancho, alin);
        std::string caracter;
        if (!suite::Utf8AWindows1252(ajustado, bytes, &caracter)) {
            Fallo(campo, "contiene \"" + caracter + "\", que no existe en Windows-1252, el juego de caracteres del fichero.");
        }
    }
    // A number already at its width: longer would shift every field after it.
    void Fijo(const std::string &texto, const char *campo, std::size_t ancho) {
        if (error.empty() && texto.size() > ancho) {
            Fallo(campo, "(" + texto + ") no cabe en " + std::to_string(ancho) + " posiciones.");
            return;
        }
        Campo(texto, campo, static_cast<int>(ancho), Alin::Derecha);
    }
    void Fin() { bytes += "\r\n"; }

    std::string bytes;
    std::string error;

  private:
    void Fallo(const char *campo, const std::string &motivo) {
        error = (linea_ ? "La línea " + std::to_string(linea_->id) + " (proveedor " + linea_->proveedor +
                              ", documento " + linea_->documento + ")"
                        : std::string("El parámetro de la empresa")) +
                ": el campo " + campo + " " + motivo;
    }

    const Linea *linea_;
};

// The file being written, removed unless it is put in place.
class Temporal {
  public:
    explicit Temporal(const std::string &ruta) : ruta_(ruta), tmp_(ruta + ".tmp") {}
    ~Temporal() {
        if (out_.is_open()) {
            out_.close();
        }
        if (!hecho_) {
            std::error_code ec;
            fs::remove(tmp_, ec);
        }
    }
    std::ofstream &Abrir() {
        out_.open(tmp_, std::ios::binary | std::ios::trunc);
        if (!out_) {
            throw std::runtime_error("No se puede crear el fichero " + tmp_);
        }
        return out_;
    }
    void Colocar() {
        out_.close();
        if (!out_) {
            throw std::runtime_error("No se ha podido escribir el fichero " + tmp_);
        }
        fs::rename(tmp_, ruta_);
        hecho_ = true;
    }

  private:
    std::string ruta_, tmp_;
    std::ofstream out_;
    bool hecho_ = false;
};

} // namespace

ExportadorEuromadi::ExportadorEuromadi(db::Connection &erp, const suite::EmpresaVarnex &empresa)
    : erp_(erp), empresa_(empresa) {}

std::string ExportadorEuromadi::Desde(int almacen, const std::string &extracto) const {
    const std::string co = std::to_string(empresa_.Codigo());
    return " FROM Compras_PagosCentral_Extractos_Lineas lin"
           " INNER JOIN Compras_PagosCentral_Extractos ex"
           " ON ex.Cod_Empresa = lin.Cod_Empresa AND ex.Cod_Almacen = lin.Cod_Almacen AND ex.Cod_Extracto = "
           "lin.Cod_Extracto"
           " LEFT JOIN Proveedores prov"
           " ON prov.Cod_Empresa =" +
           co + " AND prov.Codigo = lin.Cod_Proveedor" + " LEFT JOIN Proveedores_GLN pgln" + " ON pgln.Cod_Empresa =" +
           co + " AND pgln.Cod_Prov = lin.Cod_Proveedor AND pgln.Principal = 1 " + " WHERE lin.Cod_Empresa =" + co +
           " AND lin.Cod_Almacen =" + std::to_string(almacen) + " AND lin.Cod_Extracto ='" + db::Escape(extracto) +
           "'";
}

std::vector<std::string> ExportadorEuromadi::ProveedoresSinGLN(int almacen, const std::string &extracto) const {
    // Ordered, so that the message lists the same ten suppliers every time.
    auto rs = erp_.OpenRecordset("SELECT DISTINCT TOP 10 lin.Cod_Proveedor, ISNULL(prov.Nombre,'') AS ProvNombre" +
                                 Desde(almacen, extracto) +
                                 " AND (lin.NoPago = 1 OR lin.Nueva_FechaVto > '01/01/1900' OR Emisor > 0)"
                                 " AND pgln.GLN IS NULL"
                                 " ORDER BY lin.Cod_Proveedor");
    std::vector<std::string> out;
    while (!rs->Eof()) {
        out.push_back(rs->Fields("Cod_Proveedor").AsText() + " - " + rs->Fields("ProvNombre").AsText());
        rs->MoveNext();
    }
    rs->Close();
    return out;
}

std::string ExportadorEuromadi::Consulta(int almacen, const std::string &extracto) const {
    // The line's id last: the rows of one line stay together, and the file is the same on every server.
    return "SELECT lin.Id_Relacion, lin.Nueva_FechaVto, lin.NoPago, lin.Emisor, lin.TipoFactura, lin.Obs1, lin.Obs2, "
           "lin.Obs3, lin.Obs4,"
           " lin.Cod_Proveedor AS ProvCodigo, ISNULL(prov.Nombre,'') AS ProvNombre, lin.Documento, "
           "lin.DocumentoCentral,"
           " lin.Fecha, lin.Importe, lin.IdExtractoLinea, ISNULL(pgln.GLN,'') AS GLN_Prov, ex.FechaVto" +
           Desde(almacen, extracto) + kCondicion + " ORDER BY lin.Id_Relacion, lin.Cod_Proveedor, lin.Fecha" +
           ", lin.IdExtractoLinea";
}

ExportadorEuromadi::Resultado ExportadorEuromadi::Escribir(const std::string &ruta, int almacen,
                                                           const std::string &extracto) const {
    auto &fmt = suite::Formato::Instancia();
    Registros empresa(nullptr);
    empresa.Campo(SinPuntos(empresa_.Parametro("EDI_GLNEmpresa").ToText()), "EDI_GLNEmpresa", 13);
    const std::size_t finGln = empresa.bytes.size();
    empresa.Campo(empresa_.Parametro("PagoCentral_PersonaContactoNombre").ToText(),
                  "PagoCentral_PersonaContactoNombre", 30);
    empresa.Campo(empresa_.Parametro("PagoCentral_PersonaContactoDept").ToText(), "PagoCentral_PersonaContactoDept",
                  30);
    if (!empresa.error.empty()) {
        Resultado x;
        x.sinGln = ProveedoresSinGLN(almacen, extracto);
        x.rechazo = x.sinGln.empty() ? empresa.error : std::string();
        return x;
    }
    const std::string glnEmpresa = empresa.bytes.substr(0, finGln), contacto = empresa.bytes.substr(finGln);

    auto rs = erp_.OpenRecordset(Consulta(almacen, extracto));
    auto col = [&rs](const char *nombre) { return Columna(*rs, nombre); };
    const std::size_t cId = col("IdExtractoLinea"), cRelacion = col("Id_Relacion"), cGln = col("GLN_Prov"),
                      cDocumento = col("Documento"), cProveedor = col("ProvCodigo"), cVto = col("FechaVto"),
                      cFecha = col("Fecha"), cImporte = col("Importe"), cNoPago = col("NoPago"),
                      cNueva = col("Nueva_FechaVto"), cTipo = col("TipoFactura"), cEmisor = col("Emisor");
    static const char *kObs[] = {"Obs1", "Obs2", "Obs3", "Obs4"};
    std::size_t cObs[4];
    for (int i = 0; i < 4; ++i) {
        cObs[i] = col(kObs[i]);
    }

    Temporal fichero(ruta);
    std::ofstream *out = nullptr;
    Resultado r;
    bool primero = true;
    std::string glnAnterior;
    long long relacionAnterior = 0, lineaAnterior = 0;
    Registros::Linea linea;
    bool glnComprobado = false;
    // Refusals in the order a check before writing would give them: suppliers without GLN first.
    auto rechazar = [&](std::string motivo) {
        Resultado x;
        x.sinGln = glnComprobado ? std::vector<std::string>() : ProveedoresSinGLN(almacen, extracto);
        x.rechazo = x.sinGln.empty() ? std::move(motivo) : std::string();
        return x;
    };
    for (; !rs->Eof(); rs->MoveNext()) {
        linea.id = rs->Fields(cId).AsInt64();
        if (!primero && linea.id == lineaAnterior) {
            continue; // a supplier with two principal GLNs
        }
        lineaAnterior = linea.id;
        linea.proveedor = rs->Fields(cProveedor).AsText();
        linea.documento = rs->Fields(cDocumento).AsText();
        const long long relacion = rs->Fields(cRelacion).AsInt64();
        const std::string glnProv = rs->Fields(cGln).AsText();
        if (glnProv.empty() && !glnComprobado) {
            // Missing, or a principal GLN left blank, which the check lets through.
            Resultado x = rechazar({});
            if (!x.sinGln.empty()) {
                return x;
            }
            glnComprobado = true;
        }
        Registros reg(&linea);

        if (primero || glnProv != glnAnterior || relacion != relacionAnterior) {
            reg.Campo("INI", "INI");
            reg.bytes += glnEmpresa;
            reg.Campo(SinPuntos(glnProv), "GLN", 13);
            reg.Fijo(relacion > 0 ? Cifras(relacion, 6) : std::string(6, ' '), "Id_Relacion", 6);
            reg.Campo(Aaaammdd(rs->Fields(cVto)), "FechaVto");
            reg.bytes += contacto;
            reg.bytes.append(60, ' ');
            reg.Fijo(relacion > 0 ? Cifras(relacion, 10) : std::string(10, ' '), "Id_Relacion", 10);
            reg.Fin();
        }

        reg.Campo("LIN", "LIN");
        reg.Campo(linea.documento, "Documento", 17);
        reg.Campo(Aaaammdd(rs->Fields(cFecha)), "Fecha");
        suite::Moneda importe = suite::Moneda::FromUnits(rs->Fields(cImporte).AsCurrencyUnits());
        if (rs->Fields(cNoPago).AsInt64() != 0) {
            importe = -importe;
        }
        reg.Fijo(fmt.Redondear(importe, 2), "Importe", 16);
        reg.Campo("EUR", "EUR");
        const std::string nueva = Aaaammdd(rs->Fields(cNueva));
        reg.Campo(nueva > "19000101" ? nueva : std::string(8, ' '), "Nueva_FechaVto");
        const long long tipo = rs->Fields(cTipo).AsInt64();
        reg.Campo(tipo == 2 ? "SI" : tipo == 0 || tipo == 1 ? "  " : "", "TipoFactura");
        // The issuer's GLN only when the central organisation has no relation to go by.
        if (relacion > 0) {
            reg.bytes.append(13, ' ');
        } else if (rs->Fields(cEmisor).AsInt64() == 2) {
            reg.Campo(SinPuntos(glnProv), "GLN", 13);
        } else {
            reg.bytes += glnEmpresa;
        }
        reg.Fin();

        // Obs2 to Obs4 only follow a first observation.
        if (!rs->Fields(cObs[0]).AsText().empty()) {
            for (int i = 0; i < 4; ++i) {
                const std::string t = rs->Fields(cObs[i]).AsText();
                if (!t.empty()) {
                    reg.Campo("TXT", "TXT");
                    reg.Campo(t, kObs[i], static_cast<int>(std::min<std::size_t>(Caracteres(t), 70)));
                    reg.Fin();
                }
            }
        }
        if (!reg.error.empty()) {
            return rechazar(reg.error);
        }

        if (!out) {
            out = &fichero.Abrir();
        }
        out->write(reg.bytes.data(), static_cast<std::streamsize>(reg.bytes.size()));
        ++r.lineas;
        primero = false;
        glnAnterior = glnProv;
        relacionAnterior = relacion;
    }
    rs->Close();
    if (out) {
        fichero.Colocar();
    }
    return r;
}

} // namespace statements
