#include "accounting/frmCuentaContrapartida.h"

#include "db/Sql.h"
#include "host/Contexto.h"
#include "host/LongitudTexto.h"
#include "suite/EmpresaLumbra.h"
#include "suite/EmpresaVarnex.h"

namespace accounting {

namespace {

host::Contexto &Ctx() { return host::Contexto::Global(); }

void Nombrar(host::Control &c, const char *name, const char *caption) {
    c.name = name;
    c.caption = caption;
}

} // namespace

frmCuentaContrapartida::frmCuentaContrapartida(host::Shell &shell) : Window("frmCuentaContrapartida", shell) {
    Nombrar(Label20, "Label20", "Cuenta Contrapartida:");
    Nombrar(txtCtaContrapartida, "txtCtaContrapartida", "");
    Nombrar(cmdAceptar, "cmdAceptar", "&Aceptar");
    Nombrar(cmdCancelar, "cmdCancelar", "&Cancelar");
}

frmCuentaContrapartida::~frmCuentaContrapartida() = default;

void frmCuentaContrapartida::Form_Load() {
    Cuenta.clear();
    Aceptado = false;
    Trap("Form_Load", [&] {
        const auto &erp = *Ctx().empresaVarnex;
        int empresa = 0;
        auto rs = Ctx().conexionVarnex->OpenRecordset("SELECT EmpContable FROM Almacenes WHERE Cod_Empresa =" +
                                                      std::to_string(erp.Codigo()) +
                                                      " AND Codigo =" + std::to_string(Almacen));
        if (!rs->Eof()) {
            empresa = static_cast<int>(rs->Fields(0).AsInt64());
        }
        rs->Close();
        if (empresa <= 0) {
            empresa = erp.Codigo();
        }
        empresa_ = std::make_shared<suite::EmpresaLumbra>(Ctx().conexionLumbra, empresa);
        empresa_->Ejercicio(erp.EjercicioActual());
        caption += " - " + Extracto;
    });
}

int frmCuentaContrapartida::EmpresaContable() const { return empresa_ ? empresa_->Codigo() : 0; }

int frmCuentaContrapartida::Ejercicio() const { return empresa_ ? empresa_->Ejercicio() : 0; }

std::vector<frmCuentaContrapartida::Fila> frmCuentaContrapartida::BuscarCuentas(const std::string &texto) const {
    std::vector<Fila> out;
    if (!empresa_) {
        return out;
    }
    std::string sql = "SELECT TOP 200 Cuenta, ISNULL(Nombre,'') AS Nombre FROM Cuentas WHERE Cod_Empresa =" +
                      std::to_string(empresa_->Codigo()) + " AND Cod_Ejercicio =" +
                      std::to_string(empresa_->Ejercicio());
    if (!texto.empty()) {
        std::string like = db::Contiene(texto);
        sql += " AND (Cuenta LIKE " + like + " OR Nombre LIKE " + like + ")";
    }
    auto rs = Ctx().conexionLumbra->OpenRecordset(sql + " ORDER BY Cuenta");
    while (!rs->Eof()) {
        out.push_back({rs->Fields(0).AsText(), rs->Fields(1).AsText()});
        rs->MoveNext();
    }
    return out;
}

void frmCuentaContrapartida::txtCtaContrapartida_Change() {
    Trap("txtCtaContrapartida_Change", [&] {
        txtCtaContrapartida.descripcion.clear();
        if (!empresa_ || txtCtaContrapartida.text.empty()) {
            return;
        }
        auto rs = Ctx().conexionLumbra->OpenRecordset(
            "SELECT Nombre FROM Cuentas WHERE Cod_Empresa =" + std::to_string(empresa_->Codigo()) +
            " AND Cod_Ejercicio =" + std::to_string(empresa_->Ejercicio()) +
            " AND Cuenta = " + db::Quote(txtCtaContrapartida.text));
        if (!rs->Eof()) {
            txtCtaContrapartida.descripcion = rs->Fields(0).AsText();
        }
    });
}

void frmCuentaContrapartida::cmdAceptar_Click() {
    if (txtCtaContrapartida.text.empty()) {
        Ui().MsgBox("Se esperaba cuenta de contrapartida", "¡ Atención !", host::Icon::Warning);
        Ui().Focus(*this, "txtCtaContrapartida");
        return;
    }
    // The account box holds no more than an account column does.
    if (auto e = host::PrimeroExcedido({{txtCtaContrapartida.text, 20, "Cuenta Contrapartida", "txtCtaContrapartida"}})) {
        Ui().MsgBox(e->mensaje, "¡ Atención !", host::Icon::Warning);
        Ui().Focus(*this, e->control);
        return;
    }
    Cuenta = txtCtaContrapartida.text;
    Aceptado = true;
    Close();
}

void frmCuentaContrapartida::cmdCancelar_Click() {
    Cuenta.clear();
    Aceptado = false;
    Close();
}

} // namespace accounting
