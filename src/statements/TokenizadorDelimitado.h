#pragma once

#include "statements/Tokenizador.h"

#include <string>
#include <string_view>
#include <vector>

namespace statements {

// Lines split on one separator character, every field without the blanks around it. With an
// enclosing character, a field that opens with it runs to the same character followed by the
// separator or the end of the line, so that a document holding the separator stays whole.
class TokenizadorDelimitado : public Tokenizador {
  public:
    TokenizadorDelimitado(std::string nombre, std::unique_ptr<std::istream> entrada, char separador,
                          char delimitador = '\0');

    std::size_t Campos() const { return campos_.size(); }
    // "" past the last field.
    std::string_view Campo(std::size_t i) const {
        return i < campos_.size() ? campos_[i] : std::string_view();
    }
    // An enclosed field without its first and last characters (its delimiters); "" when shorter.
    std::string_view SinDelimitadores(std::size_t i) const;
    // Refuses a record with fewer than `n` fields, naming the first one missing.
    void Requerir(std::size_t n, const std::string &registro, const NombreCampo &primeroQueFalta) const;

  protected:
    void Partir() override;

  private:
    std::size_t FinDeCampo(std::string_view linea, std::size_t inicio) const;

    char separador_;
    char delimitador_;
    std::vector<std::string_view> campos_;
};

} // namespace statements
