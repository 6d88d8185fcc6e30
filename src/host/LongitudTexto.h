#pragma once

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace host {

// Characters (code points) of a UTF-8 text: what a VARCHAR column's length counts, not bytes.
std::size_t CaracteresUtf8(std::string_view texto);

// The refusal for a text its column cannot keep as typed, naming the field as the user sees it:
// longer than the column, or holding a character outside Windows-1252 (the ERP's VARCHAR columns on
// SQL Server would keep "?" in its place). Empty when it fits. Windows refuse rather than let the
// database cut, change or fail.
std::string NoCabe(std::string_view texto, std::size_t maximo, const std::string &campo);

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
