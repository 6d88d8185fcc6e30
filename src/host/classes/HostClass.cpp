#include "host/classes/HostClass.h"

#include "host/Contexto.h"

#include <atomic>

namespace host {

namespace {
std::atomic<int> vivos{0};
}

HostClass::HostClass() { ++vivos; }
HostClass::~HostClass() { --vivos; }
int HostClass::Vivos() { return vivos.load(); }

void HostClass::EmpresaVarnex(std::shared_ptr<suite::EmpresaVarnex> empresa) {
    Contexto::Global().empresaVarnex = std::move(empresa);
}

void HostClass::ConexionVarnex(db::ConnectionPtr conexion) { Contexto::Global().conexionVarnex = std::move(conexion); }

void HostClassLumbra::EmpresaLumbra(std::shared_ptr<suite::EmpresaLumbra> empresa) {
    Contexto::Global().empresaLumbra = std::move(empresa);
}

void HostClassLumbra::ConexionLumbra(db::ConnectionPtr conexion) {
    Contexto::Global().conexionLumbra = std::move(conexion);
}

} // namespace host
