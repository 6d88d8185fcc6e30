// The two Sage 200 files of a 10,000-line statement (per line a registration record and the
// invoice record with two tax groups, or a prompt payment's two records every fifth line; one
// payment record per line and the contra record), written by the module's file writer (every
// field checked and encoded to Windows-1252, a name that is free, one write) against writing the
// same fields, already encoded, with plain stream writes in the same run. Both sides get their
// fields ready made, so the ratio is the cost of the writer itself. A second reference streams the
// records already joined into lines (no aim: it skips the field work altogether). Processor time
// is measured, as the machine is shared.
#include "accounting/EscritorSage200.h"
#include "accounting/FicheroSage200.h"
#include "suite/Windows1252.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using accounting::EscritorSage200;
using accounting::FicheroSage200;
using Registro = std::vector<std::string>;

const char *const kNombres[] = {"Panadería O'Shanahan, S.L.", "Lácteos del Atlántico, S.A.",
                                "Frutas y Verduras Ñameras, S.C.", "Café Tostadero Güímar, S.L.",
                                "Conservas Açores Lda."};

double Cpu() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

std::string Leer(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

Registro Basico(const char *lado, const std::string &cuenta, long asiento, const std::string &texto,
                const std::string &fecha, suite::Moneda importe, const std::string &departamento, bool pago) {
    Registro r = {lado, cuenta, "", std::to_string(asiento), texto, fecha, EscritorSage200::Importe(importe),
                  departamento};
    r.resize(37);
    if (pago) {
        r[13] = "I";
    }
    return r;
}

// The records of both files, field by field, as the entry builder hands them to the writer.
void Registros(int lineas, std::vector<Registro> &registro, std::vector<Registro> &pago) {
    suite::Moneda total;
    for (int i = 0; i < lineas; ++i) {
        const std::string nombre = kNombres[i % 5];
        const std::string doc = "F-" + std::to_string(100000 + i);
        const std::string cuenta = "40000" + std::to_string(10000 + i % 500);
        const std::string pendiente = "40090" + std::to_string(10000 + i % 500);
        const std::string fecha = i < lineas / 2 ? "10/03/2030" : "12/03/2030";
        const long asiento = i < lineas / 2 ? 1 : 2;
        const auto importe = suite::Moneda::FromUnits(1070000 + 1234 * (i % 1000));
        if (i % 5 == 4) {
            registro.push_back(Basico("D", "6260000000", asiento, nombre + " / " + doc, fecha, importe, "3", false));
            registro.push_back(Basico("H", pendiente, asiento, nombre + " / " + doc, fecha, importe, "", false));
            pago.push_back(Basico("D", pendiente, 1, "TRANSF. " + nombre, "20/03/2030", importe, "", true));
        } else {
            registro.push_back(
                Basico("D", pendiente, asiento, nombre + " / ALB-" + std::to_string(i), fecha, importe, "", false));
            Registro r = {"H", cuenta, "", std::to_string(asiento), nombre + " / " + doc, fecha,
                          EscritorSage200::Importe(importe), "", "", "IMP", std::to_string(i + 1), doc, fecha, "R",
                          cuenta, "ES", "B35000003", nombre};
            const auto base = importe / 2;
            for (int g = 0; g < 2; ++g) {
                r.insert(r.end(), {g ? "17" : "14", EscritorSage200::Importe(suite::Moneda::FromLong(g ? 0 : 7)),
                                   EscritorSage200::Importe(base), EscritorSage200::Importe(base / 10), "1"});
            }
            r.emplace_back();
            registro.push_back(std::move(r));
            pago.push_back(Basico("D", cuenta, 1, "TRANSF. " + nombre, "20/03/2030", importe, "", true));
        }
        total += importe;
    }
    pago.push_back(Basico("H", "5720000001", 1, "Contrapartida extracto M1-2030", "20/03/2030", total, "", false));
}

std::string Modulo(const std::string &dir, const std::string &prefijo, const std::vector<Registro> &registros,
                   int segundo) {
    FicheroSage200 f("de registro", false);
    for (const auto &r : registros) {
        for (const auto &campo : r) {
            f.Campo(campo);
        }
        f.Fin();
    }
    accounting::RelojFicheros reloj;
    reloj.ahora = [segundo] { return *suite::Fecha::Desde(2030, 3, 21, 9, segundo / 60 % 60, segundo % 60); };
    reloj.esperar = [] {};
    return f.Escribir(dir, prefijo, reloj);
}

void Plano(const std::string &path, const std::vector<Registro> &registros) {
    std::ofstream out(path, std::ios::binary);
    for (const auto &r : registros) {
        for (std::size_t i = 0; i < r.size(); ++i) {
            if (i > 0) {
                out << ';';
            }
            out << r[i];
        }
        out << "\r\n";
    }
}

void Lineas(const std::string &path, const std::vector<std::string> &lineas) {
    std::ofstream out(path, std::ios::binary);
    for (const auto &l : lineas) {
        out << l << "\r\n";
    }
}

std::vector<std::string> Unidos(const std::vector<Registro> &registros) {
    std::vector<std::string> out;
    for (const auto &r : registros) {
        std::string l;
        for (std::size_t i = 0; i < r.size(); ++i) {
            l += (i > 0 ? ";" : "") + r[i];
        }
        out.push_back(l);
    }
    return out;
}

std::vector<Registro> Codificados(std::vector<Registro> registros) {
    for (auto &r : registros) {
        for (auto &campo : r) {
            std::string bytes;
            suite::Utf8AWindows1252(campo, bytes);
            campo = bytes;
        }
    }
    return registros;
}

} // namespace

int main(int argc, char **argv) {
    const int lineas = argc > 1 ? std::atoi(argv[1]) : 10000;
    const std::string dir = std::filesystem::temp_directory_path() / "pagocentral-bench-sage";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);

    std::vector<Registro> registro, pago;
    Registros(lineas, registro, pago);
    const auto registro1252 = Codificados(registro), pago1252 = Codificados(pago);
    const auto lineasR = Unidos(registro1252), lineasP = Unidos(pago1252);

    // Best of several rounds, alternating, so that neither side pays the cold cache alone.
    double modulo = 1e9, plano = 1e9, unidos = 1e9;
    std::size_t bytes = 0;
    for (int ronda = 1; ronda <= 7; ++ronda) {
        double t = Cpu();
        const std::string r = Modulo(dir, "PagCenSAGE200_M1-2030_", registro, ronda);
        const std::string p = Modulo(dir, "PagCenSAGE200_M1-2030_PAGO_", pago, ronda);
        modulo = std::min(modulo, Cpu() - t);
        const std::string planoR = dir + "/plano_" + std::to_string(ronda) + ".csv";
        const std::string planoP = dir + "/plano_pago_" + std::to_string(ronda) + ".csv";
        t = Cpu();
        Plano(planoR, registro1252);
        Plano(planoP, pago1252);
        plano = std::min(plano, Cpu() - t);
        t = Cpu();
        Lineas(dir + "/lineas.csv", lineasR);
        Lineas(dir + "/lineas_pago.csv", lineasP);
        unidos = std::min(unidos, Cpu() - t);
        const std::string a = Leer(r), b = Leer(p);
        if (a != Leer(planoR) || b != Leer(planoP)) {
            std::fprintf(stderr, "round %d: the module's files differ from the plain writes\n", ronda);
            return 1;
        }
        bytes = a.size() + b.size();
    }
    const double ratio = modulo / plano;
    std::printf("Sage 200 files of a %d-line statement (%zu + %zu records, %zu bytes): writer %.4f s, plain stream "
                "writes %.4f s, ratio %.2f (aim 2)\n",
                lineas, registro.size(), pago.size(), bytes, modulo, plano, ratio);
    std::printf("the same records already joined into lines: plain stream writes %.4f s, writer/joined %.2f (no "
                "aim)\n",
                unidos, modulo / unidos);
    std::filesystem::remove_all(dir);
    return ratio <= 2 ? 0 : 2;
}
