#include "lumbra/CuentasContables.h"

namespace lumbra {

std::string CuentasContables::ComponerCuenta(std::string_view raiz, long codigo, int longitud) const {
    while (!raiz.empty() && raiz.front() == ' ') {
        raiz.remove_prefix(1);
    }
    while (!raiz.empty() && raiz.back() == ' ') {
        raiz.remove_suffix(1);
    }
    std::string code = std::to_string(codigo);
    std::string out(raiz);
    long zeros = static_cast<long>(longitud) - static_cast<long>(out.size() + code.size());
    if (zeros > 0) {
        out.append(static_cast<std::size_t>(zeros), '0');
    }
    return out + code;
}

} // namespace lumbra
