#pragma once

#include <string>
#include <string_view>

namespace lumbra {

// The accounting library's account service: composes accounts from a root and a code.
class CuentasContables {
  public:
    // The root, then zeros, then the code, `longitud` digits in all: ("400", 123, 10) gives "4000000123".
    // When root and code together are already as long as that (or longer) they are joined as they are,
    // so that no digit of either is ever lost.
    std::string ComponerCuenta(std::string_view raiz, long codigo, int longitud) const;
};

} // namespace lumbra
