#pragma once

#include "db/Connection.h"

#include <memory>

namespace suite {
class EmpresaVarnex;
class EmpresaLumbra;
} // namespace suite

namespace host {

class Shell;

// What the host hands in, shared by every window of the library: the last values set win.
struct Contexto {
    std::shared_ptr<suite::EmpresaVarnex> empresaVarnex;
    db::ConnectionPtr conexionVarnex;
    std::shared_ptr<suite::EmpresaLumbra> empresaLumbra;
    db::ConnectionPtr conexionLumbra;
    // Where windows opened by the host classes talk to the user; set by the program that hosts them.
    Shell *shell = nullptr;

    static Contexto &Global();
};

} // namespace host
