#include "host/Contexto.h"

namespace host {

Contexto &Contexto::Global() {
    static Contexto c;
    return c;
}

} // namespace host
