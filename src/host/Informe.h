#pragma once

#include <string>
#include <utility>
#include <vector>

namespace host {

// A one-page document for the user to look at, print or keep as PDF: a title, labelled values and
// an optional table. The shells decide how it reaches the user.
struct Informe {
    std::string titulo;
    std::string subtitulo;
    std::vector<std::pair<std::string, std::string>> datos;
    std::vector<std::string> columnas;
    std::vector<std::vector<std::string>> filas;
    std::string pie;
};

} // namespace host
