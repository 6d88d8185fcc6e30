#include "catalogues/Catalogo.h"

#include "db/Sql.h"
#include "host/LongitudTexto.h"
#include "host/Contexto.h"
#include "printing/CRPrintGrid.h"

#include <charconv>

namespace catalogues {

namespace {

const char *kAtencion = "¡ Atención !";

void Boton(host::Control &b, const char *name, const char *caption) {
    b.name = name;
    b.caption = caption;
}

std::string Recortar(const std::string &s) {
    auto a = s.find_first_not_of(" \t");
    if (a == std::string::npos) {
        return {};
    }
    return s.substr(a, s.find_last_not_of(" \t") - a + 1);
}

db::Connection &Erp() { return *host::Contexto::Global().conexionVarnex; }

} // namespace

CatalogoDatos::CatalogoDatos(const char *clase, host::Shell &shell, std::string titulo, bool conTipo)
    : Window(clase, shell), caption(std::move(titulo)) {
    Boton(txtCodigo, "txtCodigo", "Código:");
    Boton(txtNombre, "txtNombre", "Nombre:");
    Boton(txtTipo, "txtTipo", "Tipo:");
    txtTipo.visible = conTipo;
    Boton(cmdAceptar, "cmdAceptar", "&Aceptar");
    Boton(cmdCancelar, "cmdCancelar", "&Cancelar");
}

void CatalogoDatos::Form_Load() {
    aceptado = false;
    txtCodigo.text = editar ? std::to_string(codigo) : "";
    txtNombre.text = nombre;
    txtTipo.text = tipo;
    txtCodigo.locked = editar;
}

bool CatalogoDatos::Rechazar(const char *texto, const char *campo) {
    Ui().MsgBox(texto, kAtencion, host::Icon::Warning);
    Ui().Focus(*this, campo);
    return false;
}

bool CatalogoDatos::CabenEnColumnas() {
    // The concepts have no type: their hidden box is never written.
    const std::string sinTipo;
    auto e = host::PrimeroExcedido({{txtNombre.text, largoNombre, "Nombre", "txtNombre"},
                                    {txtTipo.visible ? txtTipo.text : sinTipo, largoTipo, "Tipo", "txtTipo"}});
    return !e || Rechazar(e->mensaje.c_str(), e->control);
}

short CatalogoDatos::CodigoEscrito() const {
    if (editar) {
        return codigo;
    }
    std::string t = Recortar(txtCodigo.text);
    int n = 0;
    auto r = std::from_chars(t.data(), t.data() + t.size(), n);
    if (t.empty() || r.ec != std::errc() || r.ptr != t.data() + t.size() || n < -32768 || n > 32767) {
        return 0;
    }
    return static_cast<short>(n);
}

void CatalogoDatos::cmdAceptar_Click() {
    Trap("cmdAceptar_Click", [&] {
        if (!Comprobar() || !CabenEnColumnas()) {
            return;
        }
        // An entry being changed keeps its code, whatever the (locked) box holds.
        if (!editar) {
            codigo = CodigoEscrito();
        }
        nombre = txtNombre.text;
        tipo = txtTipo.text;
        aceptado = true;
        Close();
    });
}

Catalogo::Catalogo(const char *clase, host::Shell &shell, std::string titulo, bool conTipo)
    : Window(clase, shell), caption(std::move(titulo)), conTipo_(conTipo) {
    Boton(cmdAgregar, "cmdAgregar", "&Agregar");
    Boton(cmdModificar, "cmdModificar", "&Modificar");
    Boton(cmdEliminar, "cmdEliminar", "&Eliminar");
    Boton(cmdImprimir, "cmdImprimir", "&Imprimir");
    Boton(cmdSalir, "cmdSalir", "&Salir");
}

void Catalogo::Form_Load() {
    Trap("Form_Load", [&] {
        vsLineas.columns.clear();
        Columnas();
        // The window's design width: its last column takes what the others leave.
        vsLineas.anchoExtendido = 6600;
        Cargar();
    });
}

void Catalogo::Botones() {
    bool hay = vsLineas.DataRows() > 0;
    cmdModificar.enabled = cmdEliminar.enabled = hay;
}

void Catalogo::Cargar() {
    Trap("Cargar", [&] {
        vsLineas.Clear();
        auto rs = Erp().OpenRecordset(SqlCargar());
        while (!rs->Eof()) {
            // Cell by cell: a tab inside a name must not push the rest into the next column.
            std::vector<std::string> fila = {rs->Fields("Codigo").AsText(), rs->Fields("Nombre").AsText()};
            if (conTipo_) {
                fila.push_back(rs->Fields("Tipo").AsText());
            }
            vsLineas.AddRow(std::move(fila));
            rs->MoveNext();
        }
        vsLineas.row = vsLineas.DataRows() > 0 ? 1 : 0;
        Botones();
    });
}

void Catalogo::cmdAgregar_Click() {
    Trap("cmdAgregar_Click", [&] {
        auto d = Dialogo();
        d->Show(1);
        if (!d->aceptado) {
            return;
        }
        if (!Erp().OpenRecordset(SqlDuplicado(*d))->Eof()) {
            Ui().MsgBox("El elemento especificado ya existe.", "¡ Operación no permitida !", host::Icon::Warning);
            return;
        }
        Erp().Execute(SqlAgregar(*d));
        Cargar();
        vsLineas.row = vsLineas.DataRows();
        if (FilaDelNuevo()) {
            for (int r = 1; r <= vsLineas.DataRows(); ++r) {
                if (vsLineas.Text(r, colCodigo) == std::to_string(d->codigo)) {
                    vsLineas.row = r;
                }
            }
        }
        Botones();
    });
}

void Catalogo::cmdModificar_Click() {
    Trap("cmdModificar_Click", [&] {
        int r = vsLineas.row;
        if (r < 1 || r > vsLineas.DataRows()) {
            return;
        }
        auto d = Dialogo();
        d->editar = true;
        d->codigo = static_cast<short>(std::stoi(vsLineas.Text(r, colCodigo)));
        d->nombre = vsLineas.Text(r, colNombre);
        d->tipo = conTipo_ ? vsLineas.Text(r, colTipo) : "";
        d->Show(1);
        if (!d->aceptado) {
            return;
        }
        if (Erp().Execute(SqlModificar(*d)) == 0) {
            // Deleted meanwhile by someone else: the list shows what is there now.
            Ui().MsgBox("El elemento especificado ya no existe.", kAtencion, host::Icon::Warning);
            Cargar();
            return;
        }
        vsLineas.SetText(r, colNombre, d->nombre);
        if (conTipo_) {
            vsLineas.SetText(r, colTipo, d->tipo);
        }
    });
}

void Catalogo::cmdEliminar_Click() {
    Trap("cmdEliminar_Click", [&] {
        int r = vsLineas.row;
        if (r < 1 || r > vsLineas.DataRows()) {
            return;
        }
        if (Ui().MsgBox("¿Está seguro que desea eliminar el elemento actual?", kAtencion, host::Icon::Question,
                        host::Buttons::YesNo, host::Answer::No) != host::Answer::Yes) {
            return;
        }
        Erp().Execute(SqlEliminar(static_cast<short>(std::stoi(vsLineas.Text(r, colCodigo)))));
        vsLineas.RemoveRow(r);
        vsLineas.row = std::min(r, vsLineas.DataRows());
        Botones();
    });
}

void Catalogo::cmdImprimir_Click() {
    Trap("cmdImprimir_Click", [&] { printing::ImprimirRejilla(Ui(), vsLineas, caption, false); });
}

} // namespace catalogues
