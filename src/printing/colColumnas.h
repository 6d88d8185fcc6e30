#pragma once

#include "printing/clsColumna.h"

#include <memory>
#include <string>
#include <vector>

namespace printing {

// Ordered collection of report columns, reachable by position (1-based, as the collection counts)
// or by key.
class colColumnas {
  public:
    clsColumna &Add(const std::string &nombre, const std::string &titulo, int textAling = 0, int ancho = 1500,
                    bool visible = true, const std::string &key = {});
    // Throws std::out_of_range when there is no such item.
    clsColumna &Item(int index);
    clsColumna &Item(const std::string &key);
    int Count() const { return static_cast<int>(items_.size()); }
    void Remove(int index);
    void Remove(const std::string &key);
    void Clear();

    // The columns in order (NewEnum).
    std::vector<clsColumna *> Lista() const;

  private:
    struct Entrada {
        std::string key;
        std::unique_ptr<clsColumna> col;
    };
    int Buscar(const std::string &key) const;
    void Renumerar();
    std::vector<Entrada> items_;
};

} // namespace printing
