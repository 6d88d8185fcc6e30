#include "statements/FicheroExtractos2.h"

namespace statements {

namespace {

using Posicion = Tokenizador::NombreCampo;

const Posicion kExtracto{"Extracto", 4, 11};
const Posicion kVto{"Fecha de vencimiento", 7, 8};
const Posicion kFecha{"Fecha del extracto", 24, 8};
const Posicion kBgm[] = {kExtracto, kFecha};

const Posicion kGln{"GLN", 17, 13};
const Posicion kDocumento{"Documento", 30, 17};
const Posicion kFechaDoc{"Fecha", 47, 8};
const Posicion kImporte{"Importe", 55, 15};
const Posicion kNombre{"Nombre del proveedor", 71, 33};
const Posicion kRelacion{"Relación", 104, 6};
const Posicion kLik[] = {kGln, kDocumento, kFechaDoc, kImporte, kNombre, kRelacion};

const Posicion &Describir(const Posicion &p) {
    return p;
}

// The first field that a line of `caracteres` characters does not hold entirely.
template <std::size_t N> const Posicion &Incompleto(const Posicion (&campos)[N], int caracteres) {
    for (const auto &p : campos) {
        if (p.desde + p.longitud - 1 > caracteres) {
            return Describir(p);
        }
    }
    return Describir(campos[N - 1]);
}

} // namespace

FicheroExtractos2::FicheroExtractos2(const std::string &ruta)
    : FicheroExtractos2(ruta, Tokenizador::AbrirFichero(ruta)) {}

FicheroExtractos2::FicheroExtractos2(std::string nombre, std::unique_ptr<std::istream> entrada)
    : tok_(std::move(nombre), std::move(entrada)) {}

FicheroExtractos2::Registro FicheroExtractos2::Siguiente() {
    while (tok_.Siguiente()) {
        std::string_view tipo = tok_.Linea();
        tipo = tipo.substr(0, 3);
        if (tipo == "BGM") {
            tok_.Requerir(31, "\"BGM\"", Incompleto(kBgm, tok_.Caracteres()));
            Cabecera c;
            c.extracto = std::string(tok_.Campo(kExtracto.desde, kExtracto.longitud));
            if (c.extracto.empty()) {
                tok_.Error(Describir(kExtracto), "el código de extracto está vacío");
            }
            c.fechaVto = tok_.FechaAAAAMMDD(tok_.Campo(kVto.desde, kVto.longitud), Describir(kVto));
            c.fecha = tok_.FechaAAAAMMDD(tok_.Campo(kFecha.desde, kFecha.longitud), Describir(kFecha));
            cabecera_ = std::move(c);
            hayCabecera_ = true;
            return Registro::Cabecera;
        }
        if (tipo == "LIK") {
            // Name and relation may be missing where trailing blanks were stripped: read empty.
            tok_.Requerir(kImporte.desde + kImporte.longitud - 1, "\"LIK\"", Incompleto(kLik, tok_.Caracteres()));
            if (!hayCabecera_) {
                tok_.Error("Tipo de registro (posiciones 1-3)",
                           "hay una línea \"LIK\" antes de la primera cabecera \"BGM\"");
            }
            auto campo = [&](const Posicion &p) { return tok_.Campo(p.desde, p.longitud); };
            Linea l;
            l.gln = std::string(campo(kGln));
            l.documento = std::string(campo(kDocumento));
            l.fecha = tok_.FechaAAAAMMDD(campo(kFechaDoc), Describir(kFechaDoc));
            l.importe = tok_.Importe(campo(kImporte), Describir(kImporte));
            l.nombre = std::string(campo(kNombre));
            l.relacion = tok_.Entero(campo(kRelacion), Describir(kRelacion), true);
            linea_ = std::move(l);
            return Registro::Linea;
        }
    }
    return Registro::Fin;
}

} // namespace statements
