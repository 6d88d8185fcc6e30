#include "printing/InformeAgrupado.h"

namespace printing {

using host::ObjetoReporte;

std::string Sustituir(const std::string &texto, const std::vector<const NodoInforme *> &cadena) {
    std::string r;
    std::size_t i = 0;
    while (i < texto.size()) {
        auto a = texto.find('{', i);
        auto b = a == std::string::npos ? std::string::npos : texto.find('}', a);
        if (b == std::string::npos) {
            r += texto.substr(i);
            break;
        }
        r += texto.substr(i, a - i);
        const std::string nombre = texto.substr(a + 1, b - a - 1);
        for (auto it = cadena.rbegin(); it != cadena.rend(); ++it) {
            auto v = (*it)->valores.find(nombre);
            if (v != (*it)->valores.end()) {
                r += v->second;
                break;
            }
        }
        i = b + 1;
    }
    return r;
}

namespace {

bool Empieza(const std::string &s, const char *prefijo) { return s.rfind(prefijo, 0) == 0; }

class Composicion {
  public:
    Composicion(const Plantilla &pl, const NodoInforme &raiz, const std::string &fecha)
        : pl_(pl), raiz_(raiz), fecha_(fecha), ancho_(pl.AnchoSeccion(false)) {
        r_.anchoPapel = pl.anchoPapel;
        r_.altoPapel = pl.altoPapel;
        fondo_ = pl.altoPapel - pl.margenInferior;
    }

    host::Reporte Hacer(const std::string &titulo) {
        r_.titulo = titulo;
        NuevaPagina();
        std::vector<const NodoInforme *> cadena{&raiz_};
        for (const auto &h : raiz_.hijos) {
            Nodo(h, cadena);
        }
        for (const auto &s : pl_.secciones) {
            if (Empieza(s.nombre, "ReportFooter")) {
                Seccion(s, cadena);
            }
        }
        // "Página N de M" once the pages are counted.
        for (auto [p, o] : paginaDe_) {
            r_.paginas[p].objetos[o].texto =
                "Página " + std::to_string(p + 1) + " de " + std::to_string(r_.paginas.size());
        }
        return std::move(r_);
    }

  private:
    void Nodo(const NodoInforme &n, std::vector<const NodoInforme *> &cadena) {
        cadena.push_back(&n);
        for (const auto &s : pl_.secciones) {
            if (s.grupo == n.grupo && !Empieza(s.nombre, "GroupFooter")) {
                Seccion(s, cadena);
            }
        }
        for (const auto &h : n.hijos) {
            Nodo(h, cadena);
        }
        for (const auto &s : pl_.secciones) {
            if (s.grupo == n.grupo && Empieza(s.nombre, "GroupFooter")) {
                Seccion(s, cadena);
            }
        }
        cadena.pop_back();
    }

    void NuevaPagina() {
        r_.paginas.emplace_back();
        y_ = pl_.margenSuperior;
        std::vector<const NodoInforme *> cadena{&raiz_};
        for (const auto &s : pl_.secciones) {
            if (Empieza(s.nombre, "PageHeader")) {
                Poner(s, cadena);
            }
        }
    }

    void Seccion(const SeccionPlantilla &s, const std::vector<const NodoInforme *> &cadena) {
        if (y_ + s.alto > fondo_) {
            NuevaPagina();
        }
        Poner(s, cadena);
    }

    void Poner(const SeccionPlantilla &s, const std::vector<const NodoInforme *> &cadena) {
        auto &pag = r_.paginas.back();
        for (const auto &o : pl_.objetos) {
            if (o.seccion != s.nombre) {
                continue;
            }
            ObjetoReporte ob = Colocar(o, pl_.margenIzquierdo, y_, ancho_);
            if (ob.tipo != ObjetoReporte::Tipo::Texto) {
                // Lines and boxes carry no text.
            } else if (o.tipo == ObjetoPlantilla::Tipo::Formula && o.texto == "Fecha") {
                ob.texto = fecha_;
            } else if (o.tipo == ObjetoPlantilla::Tipo::Formula && o.texto == "Pagina") {
                paginaDe_.push_back({r_.paginas.size() - 1, pag.objetos.size()});
            } else {
                ob.texto = Sustituir(o.texto, cadena);
                if (ob.texto.empty()) {
                    continue;
                }
            }
            pag.objetos.push_back(std::move(ob));
        }
        y_ += s.alto;
    }

    const Plantilla &pl_;
    const NodoInforme &raiz_;
    std::string fecha_;
    int ancho_;
    int fondo_ = 0;
    int y_ = 0;
    host::Reporte r_;
    std::vector<std::pair<std::size_t, std::size_t>> paginaDe_;
};

} // namespace

host::Reporte MaquetarAgrupado(const Plantilla &plantilla, const NodoInforme &raiz, const std::string &titulo,
                               const std::string &fecha) {
    return Composicion(plantilla, raiz, fecha).Hacer(titulo);
}

} // namespace printing
