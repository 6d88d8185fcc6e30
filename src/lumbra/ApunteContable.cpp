#include "lumbra/ApunteContable.h"

#include "db/Sql.h"
#include "suite/EmpresaLumbra.h"
#include "suite/Formato.h"

#include <cctype>

namespace lumbra {

namespace {

// Characters, not bytes: names carry accents.
std::string PrimerosCaracteres(std::string_view s, std::size_t n) {
    std::size_t i = 0, chars = 0;
    while (i < s.size() && chars < n) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        std::size_t len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 1;
        i += len;
        ++chars;
    }
    return std::string(s.substr(0, std::min(i, s.size())));
}

} // namespace

int ApunteContable::Anadir() {
    const int ejercicio = empresa_->Ejercicio();
    const std::string empresa = std::to_string(empresa_->Codigo());
    if (asiento != asientoNumerado_ || ejercicio != ejercicioNumerado_) {
        auto rs = conexion_->OpenRecordset("SELECT ISNULL(MAX(Linea),0) FROM Apuntes WHERE Cod_Empresa =" + empresa +
                                           " AND Cod_Ejercicio =" + std::to_string(ejercicio) +
                                           " AND Asiento =" + std::to_string(asiento));
        linea_ = static_cast<int>(rs->Fields(0).AsInt64());
        rs->Close();
        asientoNumerado_ = asiento;
        ejercicioNumerado_ = ejercicio;
    }
    const auto &fmt = suite::Formato::Instancia();
    if (textoFecha_.empty() || fecha != fechaTexto_) {
        fechaTexto_ = fecha;
        textoFecha_ = fmt.FechaTexto(fecha);
    }
    if (textoFechaValor_.empty() || fechaValor != fechaValorTexto_) {
        fechaValorTexto_ = fechaValor;
        textoFechaValor_ = fmt.FechaTexto(fechaValor);
    }
    // One buffer reused: an entry can have tens of thousands of lines.
    std::string &q = sql_;
    q.assign("INSERT INTO Apuntes (Cod_Empresa, Cod_Ejercicio, Asiento, Linea, Fecha, FechaValor, Cuenta, "
             "Concepto, ConceptoTexto, Documento, Tipo, Almacen, Debe, Haber) VALUES (");
    auto coma = [&q] { q.append(", "); };
    q.append(empresa);
    coma();
    q.append(std::to_string(ejercicio));
    coma();
    q.append(std::to_string(asiento));
    coma();
    q.append(std::to_string(linea_ + 1));
    q.append(", '").append(textoFecha_).append("', '").append(textoFechaValor_).append("', ");
    q.append(db::Quote(cuenta));
    coma();
    q.append(std::to_string(codigoConcepto));
    coma();
    q.append(db::Quote(concepto));
    coma();
    q.append(db::Quote(documento));
    coma();
    q.append(std::to_string(tipo));
    coma();
    q.append(std::to_string(almacen));
    coma();
    q.append(fmt.NumeroSQL(debe));
    coma();
    q.append(fmt.NumeroSQL(haber));
    q.append(")");
    conexion_->Execute(q);
    return ++linea_;
}

std::string ApunteContable::NombreCuenta() const {
    auto rs = conexion_->OpenRecordset("SELECT Nombre FROM Cuentas WHERE Cod_Empresa =" +
                                       std::to_string(empresa_->Codigo()) + " AND Cod_Ejercicio =" +
                                       std::to_string(empresa_->Ejercicio()) + " AND Cuenta = " + db::Quote(cuenta));
    return rs->Eof() ? std::string() : rs->Fields(0).AsText();
}

std::string ApunteContable::Sustituir(std::string texto, std::string_view marca, std::string_view valor) {
    const std::string simple = "%" + std::string(marca) + "%";
    const std::string conAncho = "%" + std::string(marca) + "$";
    std::string out;
    std::size_t i = 0;
    while (i < texto.size()) {
        if (texto.compare(i, simple.size(), simple) == 0) {
            out += valor;
            i += simple.size();
            continue;
        }
        if (texto.compare(i, conAncho.size(), conAncho) == 0) {
            std::size_t j = i + conAncho.size();
            std::size_t digits = j;
            while (digits < texto.size() && std::isdigit(static_cast<unsigned char>(texto[digits]))) {
                ++digits;
            }
            if (digits > j && digits < texto.size() && texto[digits] == '%' && digits - j < 6) {
                out += PrimerosCaracteres(valor, std::stoul(texto.substr(j, digits - j)));
                i = digits + 1;
                continue;
            }
        }
        out += texto[i++];
    }
    return out;
}

std::string ApunteContable::ConceptoParametro(const suite::EmpresaLumbra &empresa, std::string_view parametro,
                                              int *codigo) {
    std::string valor = empresa.Parametro(parametro).ToText();
    bool numero = !valor.empty() && valor.size() < 9;
    for (char c : valor) {
        numero = numero && std::isdigit(static_cast<unsigned char>(c));
    }
    if (codigo) {
        *codigo = 0;
    }
    if (!numero) {
        return valor;
    }
    auto rs = empresa.Conexion()->OpenRecordset("SELECT Nombre FROM Conceptos WHERE Cod_Empresa =" +
                                                std::to_string(empresa.Codigo()) + " AND Codigo =" + valor);
    if (rs->Eof()) {
        return valor;
    }
    if (codigo) {
        *codigo = std::stoi(valor);
    }
    return rs->Fields(0).AsText();
}

} // namespace lumbra
