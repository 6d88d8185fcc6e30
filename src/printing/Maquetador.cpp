#include "printing/Maquetador.h"

#include <algorithm>

namespace printing {

namespace {

using host::ObjetoReporte;

int Puntos(const std::string &s) {
    int n = 0;
    for (unsigned char c : s) {
        n += (c & 0xC0) != 0x80;
    }
    return n;
}

host::AlineacionReporte Alineacion(int textAling) {
    switch (textAling) {
    case 2:
        return host::AlineacionReporte::Centro;
    case 3:
        return host::AlineacionReporte::Derecha;
    default:
        return host::AlineacionReporte::Izquierda;
    }
}

ObjetoReporte Texto(int x, int y, int ancho, int alto, std::string texto, const host::FuenteReporte &f,
                    host::AlineacionReporte a) {
    ObjetoReporte o;
    o.tipo = ObjetoReporte::Tipo::Texto;
    o.x = x;
    o.y = y;
    o.ancho = ancho;
    o.alto = alto;
    o.texto = std::move(texto);
    o.fuente = f;
    o.alineacion = a;
    return o;
}

} // namespace

int Maquetador::AnchoTexto(const std::string &texto, const host::FuenteReporte &f) {
    // A proportional font's average character is a little over half its size.
    return static_cast<int>(Puntos(texto) * f.puntos * 20 * (f.negrita ? 0.6 : 0.55) + 0.5);
}

std::vector<std::string> Maquetador::Partir(const std::string &texto, const host::FuenteReporte &f, int ancho) {
    std::vector<std::string> lineas;
    int porLinea = std::max(1, static_cast<int>(ancho / (f.puntos * 20 * (f.negrita ? 0.6 : 0.55))));
    std::string resto = texto;
    while (Puntos(resto) > porLinea) {
        // Byte offset of the first character past the line.
        std::size_t corte = 0;
        for (int n = 0; corte < resto.size() && n < porLinea; ++n) {
            ++corte;
            while (corte < resto.size() && (static_cast<unsigned char>(resto[corte]) & 0xC0) == 0x80) {
                ++corte;
            }
        }
        std::size_t blanco = resto.rfind(' ', corte);
        std::size_t fin = blanco != std::string::npos && blanco > 0 ? blanco : corte;
        lineas.push_back(resto.substr(0, fin));
        resto = resto.substr(fin);
        resto.erase(0, std::min(resto.find_first_not_of(' '), resto.size()));
    }
    lineas.push_back(resto);
    return lineas;
}

host::Reporte Maquetador::Maquetar(const Datos &d) const {
    host::Reporte r;
    r.titulo = d.titulo;
    r.apaisado = apaisado_;
    r.anchoPapel = apaisado_ ? pl_.altoPapel : pl_.anchoPapel;
    r.altoPapel = apaisado_ ? pl_.anchoPapel : pl_.altoPapel;
    const int izq = pl_.margenIzquierdo, ancho = pl_.AnchoSeccion(apaisado_);
    const int fondo = r.altoPapel - pl_.margenInferior;
    int y = 0;
    std::vector<std::pair<std::size_t, std::size_t>> paginaDe; // (page, object) of each page number

    auto fijos = [&](const std::string &seccion, host::PaginaReporte &pag) {
        for (const auto &o : pl_.objetos) {
            if (o.seccion != seccion) {
                continue;
            }
            ObjetoReporte ob = Colocar(o, izq, y, ancho);
            if (ob.tipo != ObjetoReporte::Tipo::Texto) {
                // Lines and boxes carry no text.
            } else if (o.nombre == "txtEmpresa") {
                ob.texto = d.empresa;
            } else if (o.nombre == "txtTitulo") {
                ob.texto = d.titulo;
            } else if (o.nombre == "txtCriterio") {
                ob.texto = d.criterio;
            } else if (o.tipo == ObjetoPlantilla::Tipo::Formula && o.texto == "Fecha") {
                ob.texto = d.fecha;
            } else if (o.tipo == ObjetoPlantilla::Tipo::Formula && o.texto == "Pagina") {
                paginaDe.push_back({r.paginas.size() - 1, pag.objetos.size()});
            } else {
                ob.texto = o.texto;
            }
            if (ob.tipo == ObjetoReporte::Tipo::Texto && ob.texto.empty() && o.texto != "Pagina") {
                continue;
            }
            pag.objetos.push_back(std::move(ob));
        }
    };

    const auto &cabecera = pl_.Seccion("PageHeaderSection1");
    auto nuevaPagina = [&]() -> host::PaginaReporte & {
        r.paginas.emplace_back();
        auto &pag = r.paginas.back();
        y = pl_.margenSuperior;
        for (const auto &s : pl_.secciones) {
            if (s.nombre.rfind("PageHeader", 0) != 0) {
                continue;
            }
            fijos(s.nombre, pag);
            if (s.nombre == cabecera.nombre) {
                for (const auto *c : d.columnas) {
                    pag.objetos.push_back(Texto(izq + c->x, y + c->Y + 40, c->Ancho, std::max(0, s.alto - 60), c->Titulo,
                                                s.fuente, Alineacion(c->TextAling)));
                }
            }
            y += s.alto;
        }
        return pag;
    };

    const auto &detalle = pl_.Seccion("DetailSection1");
    host::PaginaReporte *pag = &nuevaPagina();
    std::vector<std::vector<std::string>> partes(d.columnas.size());
    for (const auto &fila : d.filas) {
        int alto = detalle.alto;
        for (std::size_t c = 0; c < d.columnas.size(); ++c) {
            const auto *col = d.columnas[c];
            const std::string &v = c < fila.size() ? fila[c] : std::string();
            if (col->PuedeCrecer && AnchoTexto(v, col->font) > col->Ancho) {
                partes[c] = Partir(v, col->font, col->Ancho);
                alto = std::max(alto, detalle.alto + (static_cast<int>(partes[c].size()) - 1) * AltoLinea(col->font));
            } else {
                partes[c].assign(1, v);
            }
        }
        if (y + alto > fondo && !pag->objetos.empty() && y > pl_.margenSuperior) {
            pag = &nuevaPagina();
        }
        fijos(detalle.nombre, *pag);
        for (std::size_t c = 0; c < d.columnas.size(); ++c) {
            const auto *col = d.columnas[c];
            for (std::size_t l = 0; l < partes[c].size(); ++l) {
                if (partes[c][l].empty()) {
                    continue;
                }
                pag->objetos.push_back(Texto(izq + col->x, y + col->Y + static_cast<int>(l) * AltoLinea(col->font),
                                             col->Ancho, l == 0 ? detalle.alto : AltoLinea(col->font), partes[c][l],
                                             col->font, Alineacion(col->TextAling)));
            }
        }
        y += alto;
    }

    const auto &pie = pl_.Seccion("ReportFooterSection1");
    if (y + pie.alto > fondo) {
        pag = &nuevaPagina();
    }
    fijos(pie.nombre, *pag);
    for (std::size_t c = 0; c < d.columnas.size(); ++c) {
        if (c < d.totales.size() && !d.totales[c].empty()) {
            const auto *col = d.columnas[c];
            pag->objetos.push_back(Texto(izq + col->x, y + 120, col->Ancho, std::max(0, pie.alto - 140), d.totales[c],
                                         pie.fuente, Alineacion(col->TextAling)));
        }
    }

    // "Página N de M" once the pages are counted.
    for (auto [p, o] : paginaDe) {
        r.paginas[p].objetos[o].texto = "Página " + std::to_string(p + 1) + " de " + std::to_string(r.paginas.size());
    }
    return r;
}

} // namespace printing
