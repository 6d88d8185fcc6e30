#include "customers/frmExtractos_Cliente_Listado.h"

#include "lines/Comun.h"
#include "printing/InformeAgrupado.h"
#include "printing/Plantilla.h"
#include "printing/frmView.h"
#include "suite/EmpresaVarnex.h"
#include "suite/Fecha.h"
#include "suite/Formato.h"
#include "suite/Moneda.h"

#include <map>
#include <memory>

namespace customers {

using lines::comun::Ctx;

namespace {

const char *const kAtencionListado = "¡ Atención !";

std::optional<suite::Fecha> FechaValida(const std::string &texto) {
    auto f = suite::Fecha::Parse(texto);
    if (!f || f->EsVacia()) {
        return std::nullopt;
    }
    return f;
}

} // namespace

frmExtractos_Cliente_Listado::frmExtractos_Cliente_Listado(host::Shell &shell)
    : host::Window("frmExtractos_Cliente_Listado", shell) {
    cboModelo.name = "cboModelo";
    cboEstado.name = "cboEstado";
    cboDispositivo.name = "cboDispositivo";
    cboImpresora.name = "cboImpresora";
    txtFechaI.name = "txtFechaI";
    txtFechaF.name = "txtFechaF";
    txtClienteInicial.name = "txtClienteInicial";
    txtClienteFinal.name = "txtClienteFinal";
    cmdAceptar.name = "cmdAceptar";
    cmdAceptar.caption = "&Aceptar";
    cmdCancelar.name = "cmdCancelar";
    cmdCancelar.caption = "&Cancelar";
}

void frmExtractos_Cliente_Listado::Form_Load() {
    Trap("Form_Load", [&] {
        cboModelo.Clear();
        cboModelo.Add("Detallado", 0);
        cboModelo.Add("Resumido", 1);
        cboModelo.index = 0;
        cboEstado.Clear();
        cboEstado.Add("ABIERTO", 1);
        cboEstado.Add("CERRADO", 2);
        cboEstado.Add("TODOS", 3);
        cboEstado.SelectData(Cerrado ? 2 : 1);
        cboDispositivo.Clear();
        cboDispositivo.Add("Pantalla", 0);
        cboDispositivo.Add("Impresora", 1);
        cboDispositivo.index = 0;
        cboImpresora.Clear();
        cboImpresora.Add("(Predeterminada)", 0);
        for (std::size_t i = 0; i < Impresoras.size(); ++i) {
            cboImpresora.Add(Impresoras[i], static_cast<long>(i + 1));
        }
        cboImpresora.index = 0;
        txtFechaI.text = FechaInicial;
        txtFechaF.text = FechaFinal;
        txtClienteInicial.code = ClienteInicial;
        txtClienteFinal.code = ClienteFinal;
        txtClienteInicial_Change();
        txtClienteFinal_Change();
    });
}

std::vector<lines::BuscadorMaestros::Fila> frmExtractos_Cliente_Listado::BuscarClientes(const std::string &texto) const {
    return lines::BuscadorMaestros::Clientes(*Ctx().conexionVarnex, Ctx().empresaVarnex->Codigo(), texto);
}

namespace {

// The name beside a customer code; empty when no customer has it.
void Describir(const frmExtractos_Cliente_Listado &w, host::LookupField &campo) {
    campo.descripcion.clear();
    for (const auto &c : w.BuscarClientes(std::to_string(campo.code))) {
        if (c.codigo == std::to_string(campo.code)) {
            campo.descripcion = c.nombre;
        }
    }
}

} // namespace

void frmExtractos_Cliente_Listado::txtClienteInicial_Change() {
    Trap("txtClienteInicial_Change", [&] { Describir(*this, txtClienteInicial); });
}

void frmExtractos_Cliente_Listado::txtClienteFinal_Change() {
    Trap("txtClienteFinal_Change", [&] { Describir(*this, txtClienteFinal); });
}

bool frmExtractos_Cliente_Listado::Falta(bool falla, const char *mensaje, const char *control) {
    if (falla) {
        Ui().MsgBox(mensaje, kAtencionListado, host::Icon::Information);
        Ui().Focus(*this, control);
    }
    return falla;
}

host::Reporte frmExtractos_Cliente_Listado::Componer() const {
    const auto &fmt = suite::Formato::Instancia();
    const auto &emp = *Ctx().empresaVarnex;
    const int dec = emp.DecimalesImporte();
    const std::string co = std::to_string(emp.Codigo());
    const bool resumido = cboModelo.ItemData() == 1;
    const auto fi = FechaValida(txtFechaI.text), ff = FechaValida(txtFechaF.text);
    if (!fi || !ff) {
        throw std::runtime_error("Intervalo de fechas erróneo.");
    }
    auto plantilla = printing::LeerPlantilla(printing::RutaExtractosClientes(emp.PathAplicacion(), resumido));

    std::string filtro = " WHERE c.Cod_Empresa =" + co + " AND c.FechaCobro BETWEEN '" + fmt.FechaTexto(*fi) +
                         "' AND '" + fmt.FechaTexto(*ff) + "' AND c.Cod_Cliente BETWEEN " +
                         std::to_string(txtClienteInicial.code) + " AND " + std::to_string(txtClienteFinal.code);
    if (cboEstado.ItemData() == 1) {
        filtro += " AND c.Cerrado = 0";
    } else if (cboEstado.ItemData() == 2) {
        filtro += " AND c.Cerrado = 1";
    }
    auto &cn = *Ctx().conexionVarnex;
    auto Texto = [&](const suite::Moneda &m) { return fmt.Redondear(m, dec); };
    auto FechaDe = [](const std::string &t) {
        auto f = suite::Fecha::Parse(t);
        return f && !f->EsVacia() ? f->Formato("dd/mm/yyyy") : std::string();
    };

    // Taxes by line, then lines by statement, then statements by customer.
    std::map<long, std::vector<printing::NodoInforme>> impuestos;
    auto rs = cn.OpenRecordset(
        "SELECT i.IdExtractoLinea, i.Base, i.Valor_Tipo, i.Importe FROM Clientes_PagosCentral_Extractos_Lineas_Impuestos i"
        " INNER JOIN Clientes_PagosCentral_Extractos_Lineas l ON l.IdExtractoLinea = i.IdExtractoLinea"
        " INNER JOIN Clientes_PagosCentral_Extractos c ON c.Cod_Empresa = l.Cod_Empresa AND c.Cod_Cliente = "
        "l.Cod_Cliente AND c.FechaCobro = l.FechaCobro" +
        filtro + " ORDER BY i.IdExtractoLinea, i.Valor_Tipo");
    for (; !rs->Eof(); rs->MoveNext()) {
        printing::NodoInforme n;
        n.grupo = "Impuesto";
        n.valores["Base"] = Texto(suite::Moneda::FromUnits(rs->Fields(1).AsCurrencyUnits()));
        n.valores["Tipo"] = fmt.Redondear(suite::Moneda::FromUnits(rs->Fields(2).AsCurrencyUnits()), 2);
        n.valores["Cuota"] = Texto(suite::Moneda::FromUnits(rs->Fields(3).AsCurrencyUnits()));
        impuestos[static_cast<long>(rs->Fields(0).AsInt64())].push_back(std::move(n));
    }
    rs->Close();

    struct Lineas {
        std::vector<printing::NodoInforme> nodos;
        std::int64_t suma = 0;
    };
    std::map<std::pair<long, std::string>, Lineas> lineas;
    rs = cn.OpenRecordset(
        "SELECT l.Cod_Cliente, l.FechaCobro, l.IdExtractoLinea, l.Cod_Proveedor, ISNULL(p.Nombre,''), l.Documento, "
        "l.FechaFactura, l.Importe, l.Observaciones FROM Clientes_PagosCentral_Extractos_Lineas l"
        " INNER JOIN Clientes_PagosCentral_Extractos c ON c.Cod_Empresa = l.Cod_Empresa AND c.Cod_Cliente = "
        "l.Cod_Cliente AND c.FechaCobro = l.FechaCobro"
        " LEFT JOIN Proveedores p ON p.Cod_Empresa = l.Cod_Empresa AND p.Codigo = l.Cod_Proveedor" +
        filtro + " ORDER BY l.Cod_Cliente, l.FechaCobro, l.FechaFactura, l.Documento, l.IdExtractoLinea");
    for (; !rs->Eof(); rs->MoveNext()) {
        auto &grupo = lineas[{static_cast<long>(rs->Fields(0).AsInt64()), FechaDe(rs->Fields(1).AsText())}];
        printing::NodoInforme n;
        n.grupo = "Linea";
        n.valores["Proveedor"] = rs->Fields(3).AsText() + " - " + rs->Fields(4).AsText();
        n.valores["Documento"] = rs->Fields(5).AsText();
        n.valores["FechaFactura"] = FechaDe(rs->Fields(6).AsText());
        const auto importe = rs->Fields(7).AsCurrencyUnits();
        n.valores["Importe"] = Texto(suite::Moneda::FromUnits(importe));
        n.valores["Observaciones"] = rs->Fields(8).IsNull() ? "" : rs->Fields(8).AsText();
        auto it = impuestos.find(static_cast<long>(rs->Fields(2).AsInt64()));
        if (it != impuestos.end()) {
            n.hijos = std::move(it->second);
        }
        grupo.suma += importe;
        grupo.nodos.push_back(std::move(n));
    }
    rs->Close();

    printing::NodoInforme raiz;
    std::int64_t general = 0;
    long extractos = 0;
    rs = cn.OpenRecordset("SELECT c.Cod_Cliente, ISNULL(cli.Nombre,''), c.FechaCobro, c.FechaContabilizar, c.Cerrado"
                          " FROM Clientes_PagosCentral_Extractos c LEFT JOIN Clientes cli ON cli.Cod_Empresa = "
                          "c.Cod_Empresa AND cli.Codigo = c.Cod_Cliente" +
                          filtro + " ORDER BY c.Cod_Cliente, c.FechaCobro");
    std::int64_t sumaCliente = 0;
    auto cerrarCliente = [&] {
        if (!raiz.hijos.empty()) {
            raiz.hijos.back().valores["TotalCliente"] = Texto(suite::Moneda::FromUnits(sumaCliente));
        }
        sumaCliente = 0;
    };
    for (; !rs->Eof(); rs->MoveNext()) {
        const long cliente = static_cast<long>(rs->Fields(0).AsInt64());
        if (raiz.hijos.empty() || raiz.hijos.back().valores["Cliente"] != std::to_string(cliente)) {
            cerrarCliente();
            printing::NodoInforme c;
            c.grupo = "Cliente";
            c.valores["Cliente"] = std::to_string(cliente);
            c.valores["NombreCliente"] = rs->Fields(1).AsText();
            raiz.hijos.push_back(std::move(c));
        }
        printing::NodoInforme e;
        e.grupo = "Extracto";
        e.valores["FechaCobro"] = FechaDe(rs->Fields(2).AsText());
        e.valores["FechaContabilizar"] = FechaDe(rs->Fields(3).AsText());
        e.valores["Estado"] = rs->Fields(4).AsInt64() != 0 ? "CERRADO" : "ABIERTO";
        auto &ls = lineas[{cliente, e.valores["FechaCobro"]}];
        e.valores["Lineas"] = std::to_string(ls.nodos.size());
        e.valores["TotalExtracto"] = Texto(suite::Moneda::FromUnits(ls.suma));
        e.hijos = std::move(ls.nodos);
        sumaCliente += ls.suma;
        general += ls.suma;
        ++extractos;
        raiz.hijos.back().hijos.push_back(std::move(e));
    }
    cerrarCliente();

    const std::string titulo = resumido ? "Facturas Pendientes de Cobros (Resumido)" : "Facturas Pendientes de Cobros";
    raiz.valores["Empresa"] = "Empresa: " + co + " - " + emp.Nombre();
    raiz.valores["Titulo"] = titulo;
    raiz.valores["Fechas"] = "Fecha: " + fi->Formato("dd-mm-yyyy") + " / " + ff->Formato("dd-mm-yyyy");
    raiz.valores["ClienteInicial"] = "Cliente Inicial: " + std::to_string(txtClienteInicial.code);
    raiz.valores["ClienteFinal"] = "Cliente Final: " + std::to_string(txtClienteFinal.code);
    raiz.valores["EstadoListado"] = cboEstado.Text();
    raiz.valores["TotalGeneral"] = Texto(suite::Moneda::FromUnits(general));
    raiz.valores["Extractos"] = std::to_string(extractos);
    return printing::MaquetarAgrupado(plantilla, raiz, titulo, fmt.FechaTexto(suite::Fecha::Hoy()));
}

void frmExtractos_Cliente_Listado::cmdAceptar_Click() {
    impreso_ = false;
    Trap("cmdAceptar_Click", [&] {
        const auto fi = FechaValida(txtFechaI.text), ff = FechaValida(txtFechaF.text);
        if (Falta(!fi, "Se esperaba fecha inicial.", "txtFechaI") ||
            Falta(!ff, "Se esperaba fecha final.", "txtFechaF") ||
            Falta(*fi > *ff, "Intervalo de fechas erróneo.", "txtFechaI") ||
            Falta(txtClienteInicial.code <= 0, "Debe rellenar el Cliente Inicial.", "txtClienteInicial") ||
            Falta(txtClienteFinal.code <= 0, "Debe rellenar el Cliente Final.", "txtClienteFinal")) {
            return;
        }
        auto r = std::make_shared<host::Reporte>(Componer());
        if (cboImpresora.ItemData() > 0) {
            r->impresora = cboImpresora.Text();
        }
        impreso_ = true;
        if (cboDispositivo.ItemData() == 0) {
            printing::clsView visor(Ui());
            visor.Report(r);
            visor.Cargar(true, 100);
        } else {
            Ui().ImprimirReporte(*r);
        }
    });
}

} // namespace customers
