#include "statements/ArchivoZip.h"

#include <zip.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>

namespace statements {

namespace {

namespace fs = std::filesystem;

struct Cerrar {
    void operator()(zip_t *z) const { zip_discard(z); }
};
using Zip = std::unique_ptr<zip_t, Cerrar>;

std::string Mensaje(int codigo) {
    zip_error_t e;
    zip_error_init_with_code(&e, codigo);
    std::string m = zip_error_strerror(&e);
    zip_error_fini(&e);
    return m;
}

Zip Abrir(const std::string &ruta, int modo) {
    int codigo = 0;
    zip_t *z = zip_open(ruta.c_str(), modo, &codigo);
    if (!z) {
        throw std::runtime_error("No se puede abrir el archivo " + ruta + ": " + Mensaje(codigo));
    }
    return Zip(z);
}

} // namespace

void ArchivoZip::Paso(const char *paso) const {
    if (antesDe) {
        antesDe(paso);
    }
}

void ArchivoZip::Crear(const std::string &fichero) {
    try {
        Paso("borrar");
        fs::remove(ruta_);
        Paso("crear");
        Zip z = Abrir(ruta_, ZIP_CREATE | ZIP_EXCL);
        Paso("añadir");
        const std::string nombre = fs::path(fichero).filename().string();
        zip_source_t *fuente = zip_source_file(z.get(), fichero.c_str(), 0, -1);
        if (!fuente) {
            throw std::runtime_error("No se puede leer " + fichero + ": " + zip_strerror(z.get()));
        }
        const zip_int64_t indice = zip_file_add(z.get(), nombre.c_str(), fuente, ZIP_FL_ENC_UTF_8);
        if (indice < 0) {
            zip_source_free(fuente);
            throw std::runtime_error("No se puede añadir " + nombre + " al archivo " + ruta_ + ": " +
                                     zip_strerror(z.get()));
        }
        // Fixed-width records full of blanks shrink as much at the fastest level as at the default.
        zip_set_file_compression(z.get(), static_cast<zip_uint64_t>(indice), ZIP_CM_DEFLATE, 1);
        Paso("cerrar");
        // The file is only read here, when the archive is written.
        if (zip_close(z.get()) != 0) {
            throw std::runtime_error("No se puede escribir el archivo " + ruta_ + ": " + zip_strerror(z.get()));
        }
        z.release();
        Paso("comprobar");
        Comprobar(fichero, nombre);
    } catch (...) {
        std::error_code ec;
        fs::remove(ruta_, ec);
        throw;
    }
}

void ArchivoZip::Comprobar(const std::string &fichero, const std::string &nombre) const {
    Zip z = Abrir(ruta_, ZIP_RDONLY | ZIP_CHECKCONS);
    const zip_int64_t n = zip_get_num_entries(z.get(), 0);
    if (n != 1) {
        throw std::runtime_error("El archivo " + ruta_ + " contiene " + std::to_string(n) +
                                 " entradas en lugar de una");
    }
    const char *dentro = zip_get_name(z.get(), 0, ZIP_FL_ENC_RAW);
    if (!dentro || nombre != dentro) {
        throw std::runtime_error("El archivo " + ruta_ + " contiene " + (dentro ? dentro : "?") + " en lugar de " +
                                 nombre);
    }
    zip_file_t *entrada = zip_fopen_index(z.get(), 0, 0);
    if (!entrada) {
        throw std::runtime_error("No se puede leer " + nombre + " en " + ruta_ + ": " + zip_strerror(z.get()));
    }
    std::ifstream original(fichero, std::ios::binary);
    std::array<char, 65536> a, b;
    bool igual = static_cast<bool>(original);
    while (igual) {
        zip_int64_t leidos = zip_fread(entrada, a.data(), a.size());
        if (leidos < 0) {
            igual = false;
            break;
        }
        original.read(b.data(), static_cast<std::streamsize>(leidos));
        if (original.gcount() != leidos || !std::equal(a.begin(), a.begin() + leidos, b.begin())) {
            igual = false;
            break;
        }
        if (leidos == 0) {
            igual = original.peek() == std::ifstream::traits_type::eof();
            break;
        }
    }
    zip_fclose(entrada);
    if (!igual) {
        throw std::runtime_error("El contenido de " + nombre + " en " + ruta_ + " no coincide con el fichero");
    }
}

std::vector<std::string> ArchivoZip::Entradas() const {
    Zip z = Abrir(ruta_, ZIP_RDONLY);
    std::vector<std::string> out;
    const zip_int64_t n = zip_get_num_entries(z.get(), 0);
    for (zip_int64_t i = 0; i < n; ++i) {
        const char *nombre = zip_get_name(z.get(), static_cast<zip_uint64_t>(i), ZIP_FL_ENC_RAW);
        out.push_back(nombre ? nombre : "");
    }
    return out;
}

} // namespace statements
