#pragma once

#include "statements/Tokenizador.h"

#include <string>
#include <string_view>
#include <vector>

namespace statements {

// Lines cut at fixed positions, counted in characters from 1 (so a Windows-1252 "ñ" and its UTF-8
// form take one position alike). Fields come without the blanks that pad them.
class TokenizadorAnchoFijo : public Tokenizador {
  public:
    TokenizadorAnchoFijo(std::string nombre, std::unique_ptr<std::istream> entrada);

    int Caracteres() const { return static_cast<int>(inicios_.size()) - 1; }
    // Characters `desde` .. `desde + longitud - 1`, trimmed; "" past the end of the line.
    std::string_view Campo(int desde, int longitud) const;
    // Refuses a line shorter than `longitud` characters.
    void Requerir(int longitud, const std::string &registro, const NombreCampo &primeroQueFalta) const;

  protected:
    void Partir() override;

  private:
    std::vector<std::size_t> inicios_; // byte offset of each character, and the line's size last
};

} // namespace statements
