#include "printing/colColumnas.h"

#include <stdexcept>

namespace printing {

clsColumna &colColumnas::Add(const std::string &nombre, const std::string &titulo, int textAling, int ancho,
                             bool visible, const std::string &key) {
    if (!key.empty() && Buscar(key) >= 0) {
        throw std::invalid_argument("La clave ya está asociada a un elemento de la colección: " + key);
    }
    auto c = std::make_unique<clsColumna>();
    c->Nombre = nombre;
    c->Titulo = titulo;
    c->TextAling = textAling;
    c->Ancho = ancho;
    c->Visible = visible;
    items_.push_back({key, std::move(c)});
    Renumerar();
    return *items_.back().col;
}

int colColumnas::Buscar(const std::string &key) const {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].key == key) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

clsColumna &colColumnas::Item(int index) {
    if (index < 1 || index > Count()) {
        throw std::out_of_range("Índice fuera del intervalo: " + std::to_string(index));
    }
    return *items_[index - 1].col;
}

clsColumna &colColumnas::Item(const std::string &key) {
    int i = Buscar(key);
    if (i < 0) {
        throw std::out_of_range("No existe la columna " + key);
    }
    return *items_[i].col;
}

void colColumnas::Remove(int index) {
    Item(index);
    items_.erase(items_.begin() + (index - 1));
    Renumerar();
}

void colColumnas::Remove(const std::string &key) {
    Item(key);
    items_.erase(items_.begin() + Buscar(key));
    Renumerar();
}

void colColumnas::Clear() {
    while (Count() > 0) {
        Remove(1);
    }
}

void colColumnas::Renumerar() {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        items_[i].col->Index = static_cast<int>(i) + 1;
    }
}

std::vector<clsColumna *> colColumnas::Lista() const {
    std::vector<clsColumna *> v;
    for (const auto &e : items_) {
        v.push_back(e.col.get());
    }
    return v;
}

} // namespace printing
