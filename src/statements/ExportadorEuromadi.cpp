#include "statements/ExportadorEuromadi.h"

#include "db/Sql.h"
#include "suite/EmpresaVarnex.h"
#include "suite/Fecha.h"
#include "suite/Formato.h"
#include "suite/Moneda.h"
#include "suite/Windows1252.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
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

std::string Aaaammdd(const db::Field &f) {
    auto d = f.IsNull() ? std::nullopt : suite::Fecha::Parse(f.AsText());
    return d.value_or(suite::Fecha()).Formato("yyyymmdd");
}

// One record in Windows-1252; the first field that cannot be written stops it with the reason.
class Registro {
  public:
    explicit Registro(std::string donde) : donde_(std::move(donde)) {}

    // `texto` (UTF-8) as it stands, or cut or filled to `ancho` characters.
    void Campo(std::string_view texto, const char *campo, int ancho = -1, Alin alin = Alin::Izquierda) {
        if (!error.empty()) {
            return;
        }
        for (unsigned char c : texto) {
            if (c < 0x20 || c == 0x7F) {
                error = donde_ + ": el campo " + campo +
                        " contiene un carácter de control (un salto de línea o un tabulador) que rompería el registro.";
                return;
            }
        }
        std::string ajustado = ancho < 0 ? std::string(texto) : suite::Formato::Instancia().Rellenar(texto, ancho, alin);
        std::string caracter;
        if (!suite::Utf8AWindows1252(ajustado, bytes, &caracter)) {
            error = donde_ + ": el campo " + campo + " contiene \"" + caracter +
                    "\", que no existe en Windows-1252, el juego de caracteres del fichero.";
        }
    }
    // A number or date already at its width: longer would shift every field after it.
    void Fijo(const std::string &texto, const char *campo, std::size_t ancho) {
        if (error.empty() && texto.size() > ancho) {
            error = donde_ + ": el campo " + campo + " (" + texto + ") no cabe en " + std::to_string(ancho) +
                    " posiciones.";
            return;
        }
        Campo(texto, campo);
    }

    std::string bytes;
    std::string error;

  private:
    std::string donde_;
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
    bool Abierto() const { return out_.is_open(); }
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

ExportadorEuromadi::Resultado ExportadorEuromadi::Escribir(const std::string &ruta, int almacen,
                                                           const std::string &extracto) const {
    auto &fmt = suite::Formato::Instancia();
    const std::string glnEmpresa = fmt.Rellenar(
        SinPuntos(empresa_.Parametro("EDI_GLNEmpresa").ToText()), 13, Alin::Izquierda);
    Registro contacto("El parámetro de la empresa");
    contacto.Campo(empresa_.Parametro("PagoCentral_PersonaContactoNombre").ToText(),
                   "PagoCentral_PersonaContactoNombre", 30);
    contacto.Campo(empresa_.Parametro("PagoCentral_PersonaContactoDept").ToText(), "PagoCentral_PersonaContactoDept",
                   30);
    Registro gln("El parámetro de la empresa");
    gln.Campo(glnEmpresa, "EDI_GLNEmpresa");
    if (!contacto.error.empty() || !gln.error.empty()) {
        return {0, contacto.error.empty() ? gln.error : contacto.error};
    }

    // The line's id last: the rows of one line stay together, and the file is the same on every server.
    auto rs = erp_.OpenRecordset(
        "SELECT lin.Id_Relacion, lin.Nueva_FechaVto, lin.NoPago, lin.Emisor, lin.TipoFactura, lin.Obs1, lin.Obs2, "
        "lin.Obs3, lin.Obs4,"
        " lin.Cod_Proveedor AS ProvCodigo, ISNULL(prov.Nombre,'') AS ProvNombre, lin.Documento, lin.DocumentoCentral,"
        " lin.Fecha, lin.Importe, lin.IdExtractoLinea, ISNULL(pgln.GLN,'') AS GLN_Prov, ex.FechaVto" +
        Desde(almacen, extracto) + kCondicion + " ORDER BY lin.Id_Relacion, lin.Cod_Proveedor, lin.Fecha" +
        ", lin.IdExtractoLinea");

    Temporal fichero(ruta);
    std::ofstream *out = nullptr;
    Resultado r;
    bool primero = true;
    std::string glnAnterior;
    long long relacionAnterior = 0, lineaAnterior = 0;
    static const char *obs[] = {"Obs1", "Obs2", "Obs3", "Obs4"};
    for (; !rs->Eof(); rs->MoveNext()) {
        const long long id = rs->Fields("IdExtractoLinea").AsInt64();
        if (!primero && id == lineaAnterior) {
            continue; // a supplier with two principal GLNs
        }
        lineaAnterior = id;
        const long long relacion = rs->Fields("Id_Relacion").AsInt64();
        const std::string glnProv = rs->Fields("GLN_Prov").AsText();
        const std::string documento = rs->Fields("Documento").AsText();
        const std::string glnProv13 = fmt.Rellenar(SinPuntos(glnProv), 13, Alin::Izquierda);
        std::string lineas;
        const std::string donde =
            "La línea " + std::to_string(id) + " (proveedor " + rs->Fields("ProvCodigo").AsText() + ", documento " +
            documento + ")";

        if (primero || glnProv != glnAnterior || relacion != relacionAnterior) {
            Registro ini(donde);
            ini.Campo("INI", "INI");
            ini.bytes += gln.bytes;
            ini.Campo(glnProv13, "GLN");
            ini.Fijo(relacion > 0 ? Cifras(relacion, 6) : std::string(6, ' '), "Id_Relacion", 6);
            ini.Campo(Aaaammdd(rs->Fields("FechaVto")), "FechaVto");
            ini.bytes += contacto.bytes;
            ini.bytes += std::string(60, ' ');
            ini.Fijo(relacion > 0 ? Cifras(relacion, 10) : std::string(10, ' '), "Id_Relacion", 10);
            if (!ini.error.empty()) {
                return {0, ini.error};
            }
            lineas += ini.bytes + "\r\n";
        }

        Registro lin(donde);
        lin.Campo("LIN", "LIN");
        lin.Campo(documento, "Documento", 17);
        lin.Campo(Aaaammdd(rs->Fields("Fecha")), "Fecha");
        suite::Moneda importe = suite::Moneda::FromUnits(rs->Fields("Importe").AsCurrencyUnits());
        if (rs->Fields("NoPago").AsInt64() != 0) {
            importe = -importe;
        }
        std::string texto = fmt.Redondear(importe, 2);
        lin.Fijo(std::string(texto.size() < 16 ? 16 - texto.size() : 0, ' ') + texto, "Importe", 16);
        lin.Campo("EUR", "EUR");
        auto nueva = suite::Fecha::Parse(rs->Fields("Nueva_FechaVto").AsText());
        lin.Campo(nueva && *nueva > suite::Fecha() ? nueva->Formato("yyyymmdd") : std::string(8, ' '),
                  "Nueva_FechaVto");
        const long long tipo = rs->Fields("TipoFactura").AsInt64();
        lin.Campo(tipo == 2 ? "SI" : tipo == 0 || tipo == 1 ? "  " : "", "TipoFactura");
        // The issuer's GLN only when the central organisation has no relation to go by.
        if (relacion > 0) {
            lin.Campo(std::string(13, ' '), "Emisor");
        } else if (rs->Fields("Emisor").AsInt64() == 2) {
            lin.Campo(glnProv13, "GLN");
        } else {
            lin.bytes += gln.bytes;
        }
        if (!lin.error.empty()) {
            return {0, lin.error};
        }
        lineas += lin.bytes + "\r\n";

        // Obs2 to Obs4 only follow a first observation.
        if (!rs->Fields("Obs1").AsText().empty()) {
            for (const char *o : obs) {
                std::string t = rs->Fields(o).AsText();
                if (t.empty()) {
                    continue;
                }
                Registro txt(donde);
                txt.Campo("TXT", "TXT");
                txt.Campo(t, o, static_cast<int>(std::min<std::size_t>(Caracteres(t), 70)));
                if (!txt.error.empty()) {
                    return {0, txt.error};
                }
                lineas += txt.bytes + "\r\n";
            }
        }

        if (!out) {
            out = &fichero.Abrir();
        }
        out->write(lineas.data(), static_cast<std::streamsize>(lineas.size()));
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
