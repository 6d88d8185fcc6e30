#include "printing/Plantilla.h"

#include "suite/Rutas.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace printing {

namespace {

const char *kListadoDinamico = R"(; Listado Dinamico: the template of every grid report.
; Measures in twips (1440 to the inch). Sections print down the page in the order given here;
; the engine adds one header label, one field and (when asked) one total per column.
[Papel]
Tamano = A4
Ancho = 11906
Alto = 16838
MargenIzquierdo = 567
MargenDerecho = 567
MargenSuperior = 567
MargenInferior = 567

[Seccion PageHeaderSection2]
Alto = 1080

[Seccion PageHeaderSection1]
Alto = 330
Fuente = Arial, 8, negrita

[Seccion DetailSection1]
Alto = 230

[Seccion ReportFooterSection1]
Alto = 420
Fuente = Arial, 8, negrita

[Objeto Box1]
Seccion = PageHeaderSection2
Tipo = Caja
X = 0
Y = 0
Ancho = 9000
Alto = 940

[Objeto txtEmpresa]
Seccion = PageHeaderSection2
Tipo = Texto
X = 100
Y = 90
Ancho = 7200
Alto = 260
Fuente = Arial, 9, negrita

[Objeto txtTitulo]
Seccion = PageHeaderSection2
Tipo = Texto
X = 100
Y = 380
Ancho = 7200
Alto = 320
Fuente = Arial, 12, negrita

[Objeto txtCriterio]
Seccion = PageHeaderSection2
Tipo = Texto
X = 100
Y = 700
Ancho = 7200
Alto = 220
Fuente = Arial, 7

[Objeto forFecha]
Seccion = PageHeaderSection2
Tipo = Formula
Texto = Fecha
X = 7000
Y = 90
Ancho = 2000
Alto = 260
Fuente = Arial, 8
Alineacion = Derecha

[Objeto forPagina]
Seccion = PageHeaderSection2
Tipo = Formula
Texto = Pagina
X = 7000
Y = 380
Ancho = 2000
Alto = 260
Fuente = Arial, 8
Alineacion = Derecha

[Objeto linCabecera]
Seccion = PageHeaderSection1
Tipo = Linea
X = 0
Y = 300
Ancho = *

[Objeto linTotales]
Seccion = ReportFooterSection1
Tipo = Linea
X = 0
Y = 60
Ancho = *
)";

const char *const kSeccionesNecesarias[] = {"PageHeaderSection2", "PageHeaderSection1", "DetailSection1",
                                            "ReportFooterSection1"};
const char *const kObjetosNecesarios[] = {"forFecha", "forPagina", "Box1", "txtTitulo", "txtEmpresa"};

std::string Recortar(const std::string &s) {
    auto a = s.find_first_not_of(" \t\r");
    if (a == std::string::npos) {
        return {};
    }
    auto b = s.find_last_not_of(" \t\r");
    return s.substr(a, b - a + 1);
}

std::string Minusculas(std::string s) {
    for (char &c : s) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return s;
}

class Lector {
  public:
    Lector(std::string fichero) : fichero_(std::move(fichero)) {}

    [[noreturn]] void Error(int linea, const std::string &campo, const std::string &motivo) const {
        std::string donde = "Plantilla de informe no válida: " + fichero_;
        if (linea > 0) {
            donde += ", línea " + std::to_string(linea);
        }
        if (!campo.empty()) {
            donde += ", campo " + campo;
        }
        throw std::runtime_error(donde + ": " + motivo);
    }

    int Entero(int linea, const std::string &campo, const std::string &v, int minimo, int maximo) const {
        int n = 0;
        auto r = std::from_chars(v.data(), v.data() + v.size(), n);
        if (v.empty() || r.ec != std::errc() || r.ptr != v.data() + v.size()) {
            Error(linea, campo, "se esperaba un número entero y hay \"" + v + "\"");
        }
        if (n < minimo || n > maximo) {
            Error(linea, campo, std::to_string(n) + " fuera de los límites (" + std::to_string(minimo) + " a " +
                                    std::to_string(maximo) + ")");
        }
        return n;
    }

    host::FuenteReporte Fuente(int linea, const std::string &campo, const std::string &v) const {
        // "Arial, 8[, negrita]"
        std::vector<std::string> partes;
        std::stringstream ss(v);
        for (std::string p; std::getline(ss, p, ',');) {
            partes.push_back(Recortar(p));
        }
        if (partes.size() < 2 || partes.size() > 3 || partes[0].empty()) {
            Error(linea, campo, "se esperaba \"nombre, puntos[, negrita]\" y hay \"" + v + "\"");
        }
        host::FuenteReporte f;
        f.nombre = partes[0];
        f.puntos = Entero(linea, campo, partes[1], 4, 72);
        if (partes.size() == 3) {
            if (Minusculas(partes[2]) != "negrita") {
                Error(linea, campo, "se esperaba \"negrita\" y hay \"" + partes[2] + "\"");
            }
            f.negrita = true;
        }
        return f;
    }

    const std::string &Fichero() const { return fichero_; }

  private:
    std::string fichero_;
};

constexpr int kMaxTwips = 100000;

} // namespace

const SeccionPlantilla &Plantilla::Seccion(const std::string &nombre) const {
    for (const auto &s : secciones) {
        if (s.nombre == nombre) {
            return s;
        }
    }
    throw std::runtime_error("La plantilla " + fichero + " no tiene la sección " + nombre);
}

ObjetoPlantilla &Plantilla::Objeto(const std::string &nombre) {
    for (auto &o : objetos) {
        if (o.nombre == nombre) {
            return o;
        }
    }
    throw std::runtime_error("La plantilla " + fichero + " no tiene el objeto " + nombre);
}

const ObjetoPlantilla *Plantilla::BuscarObjeto(const std::string &nombre) const {
    for (const auto &o : objetos) {
        if (o.nombre == nombre) {
            return &o;
        }
    }
    return nullptr;
}

int Plantilla::AnchoSeccion(bool apaisado) const {
    return (apaisado ? altoPapel : anchoPapel) - margenIzquierdo - margenDerecho;
}

int Plantilla::AltoUtil(bool apaisado) const {
    return (apaisado ? anchoPapel : altoPapel) - margenSuperior - margenInferior;
}

Plantilla LeerPlantillaTexto(const std::string &texto, const std::string &fichero) {
    Lector lec(fichero);
    Plantilla p;
    p.fichero = fichero;
    enum class Bloque { Ninguno, Papel, Seccion, Objeto } bloque = Bloque::Ninguno;
    std::set<std::string> vistos; // keys of the current block
    std::istringstream in(texto);
    std::string linea;
    int n = 0;
    while (std::getline(in, linea)) {
        ++n;
        std::string l = Recortar(linea);
        if (l.empty() || l[0] == ';' || l[0] == '#') {
            continue;
        }
        if (l.front() == '[') {
            if (l.back() != ']') {
                lec.Error(n, "", "falta \"]\" al final de \"" + l + "\"");
            }
            std::string cab = Recortar(l.substr(1, l.size() - 2));
            vistos.clear();
            auto esp = cab.find(' ');
            std::string clase = cab.substr(0, esp), nombre = esp == std::string::npos ? "" : Recortar(cab.substr(esp));
            if (clase == "Papel" && nombre.empty()) {
                bloque = Bloque::Papel;
            } else if (clase == "Seccion" && !nombre.empty()) {
                for (const auto &s : p.secciones) {
                    if (s.nombre == nombre) {
                        lec.Error(n, "", "la sección " + nombre + " está repetida");
                    }
                }
                p.secciones.push_back({nombre, 0, {"Arial", 8, false}, {}});
                bloque = Bloque::Seccion;
            } else if (clase == "Objeto" && !nombre.empty()) {
                if (p.BuscarObjeto(nombre)) {
                    lec.Error(n, "", "el objeto " + nombre + " está repetido");
                }
                ObjetoPlantilla o;
                o.nombre = nombre;
                p.objetos.push_back(o);
                bloque = Bloque::Objeto;
            } else {
                lec.Error(n, "", "se esperaba [Papel], [Seccion NOMBRE] u [Objeto NOMBRE] y hay \"" + l + "\"");
            }
            continue;
        }
        auto igual = l.find('=');
        if (igual == std::string::npos) {
            lec.Error(n, "", "se esperaba \"campo = valor\" y hay \"" + l + "\"");
        }
        std::string campo = Recortar(l.substr(0, igual)), valor = Recortar(l.substr(igual + 1));
        if (!vistos.insert(campo).second) {
            lec.Error(n, campo, "el campo está repetido");
        }
        switch (bloque) {
        case Bloque::Ninguno:
            lec.Error(n, campo, "el campo está fuera de todo bloque");
        case Bloque::Papel:
            if (campo == "Tamano") {
                p.papel = valor;
            } else if (campo == "Ancho") {
                p.anchoPapel = lec.Entero(n, campo, valor, 1440, kMaxTwips);
            } else if (campo == "Alto") {
                p.altoPapel = lec.Entero(n, campo, valor, 1440, kMaxTwips);
            } else if (campo == "MargenIzquierdo") {
                p.margenIzquierdo = lec.Entero(n, campo, valor, 0, 5000);
            } else if (campo == "MargenDerecho") {
                p.margenDerecho = lec.Entero(n, campo, valor, 0, 5000);
            } else if (campo == "MargenSuperior") {
                p.margenSuperior = lec.Entero(n, campo, valor, 0, 5000);
            } else if (campo == "MargenInferior") {
                p.margenInferior = lec.Entero(n, campo, valor, 0, 5000);
            } else {
                lec.Error(n, campo, "campo desconocido en [Papel]");
            }
            break;
        case Bloque::Seccion: {
            auto &s = p.secciones.back();
            if (campo == "Alto") {
                s.alto = lec.Entero(n, campo, valor, 0, kMaxTwips);
            } else if (campo == "Fuente") {
                s.fuente = lec.Fuente(n, campo, valor);
            } else if (campo == "Grupo") {
                if (valor.empty()) {
                    lec.Error(n, campo, "se esperaba el nombre del grupo");
                }
                s.grupo = valor;
            } else {
                lec.Error(n, campo, "campo desconocido en una sección");
            }
            break;
        }
        case Bloque::Objeto: {
            auto &o = p.objetos.back();
            if (campo == "Seccion") {
                o.seccion = valor;
            } else if (campo == "Tipo") {
                std::string t = Minusculas(valor);
                if (t == "texto") {
                    o.tipo = ObjetoPlantilla::Tipo::Texto;
                } else if (t == "formula") {
                    o.tipo = ObjetoPlantilla::Tipo::Formula;
                } else if (t == "linea") {
                    o.tipo = ObjetoPlantilla::Tipo::Linea;
                } else if (t == "caja") {
                    o.tipo = ObjetoPlantilla::Tipo::Caja;
                } else {
                    lec.Error(n, campo, "se esperaba Texto, Formula, Linea o Caja y hay \"" + valor + "\"");
                }
            } else if (campo == "X") {
                o.x = lec.Entero(n, campo, valor, 0, kMaxTwips);
            } else if (campo == "Y") {
                o.y = lec.Entero(n, campo, valor, 0, kMaxTwips);
            } else if (campo == "Ancho") {
                o.hastaElBorde = valor == "*";
                o.ancho = o.hastaElBorde ? 0 : lec.Entero(n, campo, valor, 0, kMaxTwips);
            } else if (campo == "Alto") {
                o.alto = lec.Entero(n, campo, valor, 0, kMaxTwips);
            } else if (campo == "Texto") {
                o.texto = valor;
            } else if (campo == "Fuente") {
                o.fuente = lec.Fuente(n, campo, valor);
            } else if (campo == "Alineacion") {
                std::string a = Minusculas(valor);
                if (a == "izquierda") {
                    o.alineacion = host::AlineacionReporte::Izquierda;
                } else if (a == "centro") {
                    o.alineacion = host::AlineacionReporte::Centro;
                } else if (a == "derecha") {
                    o.alineacion = host::AlineacionReporte::Derecha;
                } else {
                    lec.Error(n, campo, "se esperaba Izquierda, Centro o Derecha y hay \"" + valor + "\"");
                }
            } else {
                lec.Error(n, campo, "campo desconocido en un objeto");
            }
            break;
        }
        }
    }
    for (const char *s : kSeccionesNecesarias) {
        bool hay = false;
        for (const auto &sec : p.secciones) {
            hay = hay || sec.nombre == s;
        }
        if (!hay) {
            lec.Error(0, "", std::string("falta la sección ") + s);
        }
    }
    for (const char *o : kObjetosNecesarios) {
        if (!p.BuscarObjeto(o)) {
            lec.Error(0, "", std::string("falta el objeto ") + o);
        }
    }
    for (const auto &o : p.objetos) {
        bool hay = false;
        for (const auto &sec : p.secciones) {
            hay = hay || sec.nombre == o.seccion;
        }
        if (!hay) {
            lec.Error(0, "", "el objeto " + o.nombre + " está en una sección que no existe: \"" + o.seccion + "\"");
        }
    }
    if (p.AnchoSeccion(false) < 1440 || p.AltoUtil(false) < 1440 || p.AnchoSeccion(true) < 1440 ||
        p.AltoUtil(true) < 1440) {
        lec.Error(0, "", "los márgenes no dejan sitio en el papel");
    }
    return p;
}

Plantilla LeerPlantilla(const std::string &fichero) {
    std::ifstream in(fichero, std::ios::binary);
    if (!in) {
        throw std::runtime_error("No se encuentra la plantilla de informe " + fichero);
    }
    std::stringstream ss;
    ss << in.rdbuf();
    return LeerPlantillaTexto(ss.str(), fichero);
}

const char *TextoListadoDinamico() { return kListadoDinamico; }

std::string RutaListadoDinamico(const std::string &carpetaAplicacion) {
    return suite::RutaSinMayusculas(suite::RutaLocal(carpetaAplicacion + "\\Rpt\\Listado Dinamico.rpt"));
}

std::string RutaExtractosClientes(const std::string &carpetaAplicacion, bool resumido) {
    return suite::RutaSinMayusculas(suite::RutaLocal(carpetaAplicacion + "\\Rpt\\Extractos Clientes Facturas Pendientes Cobro" +
                                                     (resumido ? " Resumido" : "") + ".rpt"));
}

namespace {

bool Instalar(const std::string &destino, const char *texto) {
    std::error_code ec;
    if (fs::exists(destino, ec)) {
        return true;
    }
    fs::create_directories(fs::path(destino).parent_path(), ec);
    // Written beside, then renamed: a half-written template never stands in the folder.
    std::string tmp = destino + ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary);
        out << texto;
        if (!out.flush()) {
            fs::remove(tmp, ec);
            return false;
        }
    }
    fs::rename(tmp, destino, ec);
    return !ec;
}

} // namespace

bool InstalarPlantillas(const std::string &carpetaAplicacion) {
    if (carpetaAplicacion.empty()) {
        return false;
    }
    bool ok = Instalar(RutaListadoDinamico(carpetaAplicacion), kListadoDinamico);
    ok = Instalar(RutaExtractosClientes(carpetaAplicacion, false), TextoExtractosClientes(false)) && ok;
    return Instalar(RutaExtractosClientes(carpetaAplicacion, true), TextoExtractosClientes(true)) && ok;
}

host::ObjetoReporte Colocar(const ObjetoPlantilla &o, int izquierda, int arriba, int anchoUtil) {
    host::ObjetoReporte ob;
    ob.x = izquierda + o.x;
    ob.y = arriba + o.y;
    ob.ancho = o.hastaElBorde ? anchoUtil - o.x : o.ancho;
    ob.alto = o.alto;
    ob.fuente = o.fuente;
    ob.alineacion = o.alineacion;
    if (o.tipo == ObjetoPlantilla::Tipo::Linea) {
        ob.tipo = host::ObjetoReporte::Tipo::Linea;
    } else if (o.tipo == ObjetoPlantilla::Tipo::Caja) {
        ob.tipo = host::ObjetoReporte::Tipo::Caja;
    }
    return ob;
}

} // namespace printing
