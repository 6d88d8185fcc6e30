#pragma once

#include "db/Connection.h"

#include <memory>
#include <string>

namespace suite {
class EmpresaVarnex;
class EmpresaLumbra;
} // namespace suite

namespace host {

class Window;

// A creatable class of the library, as the host application sees it: set-only properties that
// fill the shared context, and Show. Properties cannot be read back.
class HostClass {
  public:
    HostClass();
    virtual ~HostClass();
    HostClass(const HostClass &) = delete;
    HostClass &operator=(const HostClass &) = delete;

    void EmpresaVarnex(std::shared_ptr<suite::EmpresaVarnex> empresa);
    void ConexionVarnex(db::ConnectionPtr conexion);
    // Modal 0 modeless, 1 modal; the owner window is accepted for the host's sake and not used here.
    virtual void Show(int modal = 0, void *ownerForm = nullptr) = 0;
    virtual const char *ProgId() const = 0;
    // The window this class holds now, if any (for the program and tests).
    virtual Window *Ventana() const = 0;

    // Objects alive, for DllCanUnloadNow.
    static int Vivos();
};

// Classes that also take the accounting company and its connection.
class HostClassLumbra : public HostClass {
  public:
    void EmpresaLumbra(std::shared_ptr<suite::EmpresaLumbra> empresa);
    void ConexionLumbra(db::ConnectionPtr conexion);
};

// Creates a class by its programmatic identifier ("VRNXComprasPagoCentral.frmclsExtractos");
// null when the library has no such class.
std::unique_ptr<HostClass> CrearObjeto(const std::string &progId);
// The six identifiers, in the order of the library's type library.
const char *const *ProgIds(int &count);

} // namespace host
