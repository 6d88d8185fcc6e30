#include "statements/FicheroImpuestos.h"

#include <algorithm>

namespace statements {

namespace {

// Fields 0, 3 and 6 carry nothing the import uses.
const char *const kCampos[] = {"Sin uso",
                               "Almacén central",
                               "Proveedor central",
                               "Sin uso",
                               "Documento",
                               "Fecha",
                               "Sin uso",
                               "Base",
                               "Tipo",
                               "Cuota"};

} // namespace

FicheroImpuestos::FicheroImpuestos(const std::string &ruta)
    : FicheroImpuestos(ruta, Tokenizador::AbrirFichero(ruta)) {}

FicheroImpuestos::FicheroImpuestos(std::string nombre, std::unique_ptr<std::istream> entrada)
    : tok_(std::move(nombre), std::move(entrada), ';') {}

Tokenizador::NombreCampo FicheroImpuestos::Describir(std::size_t i) {
    return {kCampos[i], static_cast<int>(i + 1)};
}

bool FicheroImpuestos::Siguiente() {
    while (tok_.Siguiente()) {
        if (tok_.Campos() == 0) {
            continue;
        }
        tok_.Requerir(10, "de impuestos", Describir(std::min<std::size_t>(tok_.Campos(), 9)));
        Linea l;
        l.almacenCentral = tok_.Entero(tok_.Campo(1), Describir(1));
        l.proveedorCentral = tok_.Entero(tok_.Campo(2), Describir(2));
        l.documento = tok_.Texto(tok_.Campo(4), Describir(4), 50);
        l.fecha = tok_.FechaDDMMAAAA(tok_.Campo(5), Describir(5));
        l.base = tok_.ImporteComa(tok_.Campo(7), Describir(7));
        l.valorTipo = tok_.ImporteComa(tok_.Campo(8), Describir(8));
        l.importe = tok_.ImporteComa(tok_.Campo(9), Describir(9));
        linea_ = std::move(l);
        return true;
    }
    return false;
}

} // namespace statements
