#pragma once

#include "host/Controls.h"
#include "host/Window.h"

#include <memory>
#include <string>
#include <vector>

namespace suite {
class EmpresaLumbra;
}

namespace accounting {

// Asks for the contra account of a payment entry, among the accounts of the warehouse's
// accounting company in the current fiscal year.
class frmCuentaContrapartida : public host::Window {
  public:
    struct Fila {
        std::string cuenta;
        std::string nombre;
    };

    explicit frmCuentaContrapartida(host::Shell &shell);
    ~frmCuentaContrapartida() override;

    // In.
    short Almacen = 0;
    std::string Extracto;
    // Out.
    std::string Cuenta;
    bool Aceptado = false;

    std::string caption = "Cuenta de Contrapartida";
    host::Control Label20;
    host::LookupField txtCtaContrapartida;
    host::Button cmdAceptar, cmdCancelar;

    void Form_Load() override;
    // The name beside the account follows what is typed; an unknown account leaves it empty.
    void txtCtaContrapartida_Change();
    void cmdAceptar_Click();
    void cmdCancelar_Click();
    void Form_KeyDown_Escape() { cmdCancelar_Click(); }

    // Accounts whose code or name contains the text, by code.
    std::vector<Fila> BuscarCuentas(const std::string &texto) const;
    int EmpresaContable() const;
    int Ejercicio() const;

  private:
    std::shared_ptr<suite::EmpresaLumbra> empresa_;
};

} // namespace accounting
