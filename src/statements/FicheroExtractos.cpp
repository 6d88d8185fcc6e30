#include "statements/FicheroExtractos.h"

#include "statements/ErrorFichero.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace statements {

namespace {

const char *const kCamposE[] = {"Tipo de registro", "Almacén central", "Extracto", "Fecha del extracto",
                                "Fecha de vencimiento"};
const char *const kCamposL[] = {"Tipo de registro",
                                "Extracto",
                                "Proveedor central",
                                "Proveedor",
                                "Documento central",
                                "Documento",
                                "Fecha",
                                "Importe"};

// Lengths of the columns the texts go to.
constexpr std::size_t kLargoExtracto = 30;
constexpr std::size_t kLargoDocumento = 50;

} // namespace

FicheroExtractos::FicheroExtractos(const std::string &ruta)
    : FicheroExtractos(ruta, Tokenizador::AbrirFichero(ruta)) {}

FicheroExtractos::FicheroExtractos(std::string nombre, std::unique_ptr<std::istream> entrada)
    : tok_(std::move(nombre), std::move(entrada), ';', '"') {}

Tokenizador::NombreCampo FicheroExtractos::Describir(std::size_t i, const char *nombre) {
    return {nombre, static_cast<int>(i + 1)};
}

std::string FicheroExtractos::Entrecomillado(std::size_t i, const char *nombre) const {
    std::string_view c = tok_.Campo(i);
    // One delimiter at each end, the same one; a bare value would otherwise lose two characters.
    if (c.size() < 2 || c.front() != c.back() || std::isalnum(static_cast<unsigned char>(c.front()))) {
        tok_.Error(Describir(i, nombre), "el valor " + Tokenizador::Cita(c) + " debe ir entre delimitadores (\"...\")");
    }
    // What stands between the delimiters is the value, blanks included.
    return std::string(c.substr(1, c.size() - 2));
}

bool FicheroExtractos::TieneFin() {
    tok_.Rebobinar();
    bool fin = false;
    while (!fin && tok_.Siguiente()) {
        std::string_view l = Tokenizador::Recortar(tok_.Linea());
        fin = l.size() >= 4 && l.substr(1, 3) == "FIN";
    }
    tok_.Rebobinar();
    hayCabecera_ = false;
    return fin;
}

FicheroExtractos::Registro FicheroExtractos::Siguiente() {
    while (tok_.Siguiente()) {
        if (tok_.Campos() == 0) {
            continue;
        }
        std::string_view tipo = tok_.SinDelimitadores(0);
        if (tipo == "E") {
            tok_.Requerir(5, "\"E\"",
                          Describir(tok_.Campos(), kCamposE[std::min<std::size_t>(tok_.Campos(), 4)]));
            Cabecera c;
            c.almacenCentral = tok_.Entero(Entrecomillado(1, kCamposE[1]), Describir(1, kCamposE[1]));
            c.extracto = tok_.Texto(Entrecomillado(2, kCamposE[2]), Describir(2, kCamposE[2]), kLargoExtracto);
            if (c.extracto.empty()) {
                tok_.Error(Describir(2, kCamposE[2]), "el código de extracto está vacío");
            }
            c.fecha = tok_.FechaDDMMAAAA(tok_.Campo(3), Describir(3, kCamposE[3]));
            c.fechaVto = tok_.FechaDDMMAAAA(tok_.Campo(4), Describir(4, kCamposE[4]));
            cabecera_ = std::move(c);
            hayCabecera_ = true;
            return Registro::Cabecera;
        }
        if (tipo == "L") {
            tok_.Requerir(8, "\"L\"",
                          Describir(tok_.Campos(), kCamposL[std::min<std::size_t>(tok_.Campos(), 7)]));
            if (!hayCabecera_) {
                tok_.Error(Describir(0, kCamposL[0]),
                           "hay una línea \"L\" antes de la primera cabecera \"E\"");
            }
            Linea l;
            l.extracto = tok_.Texto(Entrecomillado(1, kCamposL[1]), Describir(1, kCamposL[1]), kLargoExtracto);
            if (l.extracto.empty()) {
                tok_.Error(Describir(1, kCamposL[1]), "el código de extracto está vacío");
            }
            l.proveedorCentral = tok_.Entero(tok_.Campo(2), Describir(2, kCamposL[2]));
            // The company's own code may be unknown to the central organisation.
            l.proveedor = tok_.Entero(tok_.Campo(3), Describir(3, kCamposL[3]), true);
            l.documentoCentral =
                tok_.Texto(Entrecomillado(4, kCamposL[4]), Describir(4, kCamposL[4]), kLargoDocumento);
            std::size_t guion = l.documentoCentral.find('-');
            if (guion == std::string::npos) {
                throw std::runtime_error(ErrorFichero::Mensaje(
                    tok_.Nombre(), tok_.NumeroLinea(), Describir(4, kCamposL[4]).Texto(),
                    "el documento central " + Tokenizador::Cita(l.documentoCentral) +
                        " no lleva \"-\" tras el tipo de pago"));
            }
            l.tipoPago = l.documentoCentral.substr(0, guion);
            l.documento = tok_.Texto(Entrecomillado(5, kCamposL[5]), Describir(5, kCamposL[5]), kLargoDocumento);
            l.fecha = tok_.FechaDDMMAAAA(tok_.Campo(6), Describir(6, kCamposL[6]));
            l.importe = tok_.ImporteComa(tok_.Campo(7), Describir(7, kCamposL[7]));
            linea_ = std::move(l);
            return Registro::Linea;
        }
    }
    return Registro::Fin;
}

} // namespace statements
