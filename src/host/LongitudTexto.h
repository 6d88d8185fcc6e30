#pragma once

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace host {

// Characters (code points) of a UTF-8 text: what a VARCHAR column's length counts, not bytes.
std::size_t CaracteresUtf8(std::string_view texto);

// The refusal for a text longer than the column that keeps it, naming the field as the user sees
// it; empty when the text fits. Windows refuse rather than let the database cut or fail.
std::string LongitudExcedida(std::string_view texto, std::size_t maximo, const std::string &campo);

// A box of a window with the length of its column and the field's name in messages.
struct LargoCampo {
    const std::string &texto;
    std::size_t maximo;
    const char *campo;
    const char *control;
};
struct Excedido {
    std::string mensaje;
    const char *control;
};
// The first box, in the window's order, that does not fit its column.
std::optional<Excedido> PrimeroExcedido(std::initializer_list<LargoCampo> cajas);

} // namespace host
