#include "suite/FicherosEnUtf8.h"

#include "suite/EmpresaVarnex.h"

namespace suite {

bool FicherosEnUtf8(const EmpresaVarnex &empresa) {
    return empresa.Parametro("PagoCentral_FicherosUTF8").ToBool();
}

} // namespace suite
