#include "lines/frmExtractos_Lineas.h"
#include "printing/CRPrintGrid.h"

#include "claims/frmExtractos_Lineas_Reclamacion.h"
#include "db/Sql.h"
#include "db/Transaction.h"
#include "host/Contexto.h"
#include "host/Progress.h"
#include "lines/frmExtractos_Lineas_Datos.h"
#include "lines/frmExtractos_Lineas_NoPagoFechaVto.h"
#include "lines/frmExtractos_Lineas_Vinculos.h"
#include "lines/frmExtractos_Lineas_Vinculos_2.h"
#include "lines/frmExtractos_Lineas_Vinculos_Agregar_Factura.h"
#include "lines/Previsiones.h"
#include "lumbra/CuentasContables.h"
#include "suite/EmpresaLumbra.h"
#include "suite/EmpresaVarnex.h"
#include "suite/Formato.h"
#include "suite/Moneda.h"

#include <strings.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <stdexcept>

namespace lines {

namespace {

const char *kAtencion = "¡ Atención !";

host::Contexto &Ctx() { return host::Contexto::Global(); }

void Boton(host::Button &b, const char *name, const char *caption) {
    b.name = name;
    b.caption = caption;
}

long Numero(const std::string &text) {
    try {
        return text.empty() ? 0 : std::stol(text);
    } catch (const std::exception &) {
        return 0;
    }
}

// A colour parameter holds a colour number as text; anything else is the default colour.
long Color(const std::string &name) {
    std::string v = Ctx().empresaVarnex->Parametro(name).ToText();
    try {
        std::size_t pos = 0;
        long c = std::stol(v, &pos);
        return pos == v.size() && c >= 0 ? c : -1;
    } catch (const std::exception &) {
        return -1;
    }
}

std::string FechaCampo(const db::Field &f) {
    if (f.IsNull()) {
        return {};
    }
    return suite::Formato::Instancia().FechaTexto(f.AsText());
}

// The background of a line from the supplier's tolerances: an amount, or when that is 0 a
// percentage of the line's amount.
long ColorLinea(suite::Moneda importe, suite::Moneda vinculado, bool sinDiferencia, suite::Moneda difCur,
                suite::Moneda difPor, long colorOk, long colorDif) {
    suite::Moneda diferencia = sinDiferencia ? suite::Moneda() : importe - vinculado;
    std::optional<suite::Moneda> tolerancia;
    if (difCur > suite::Moneda()) {
        tolerancia = difCur;
    } else if (difCur.EsCero() && difPor > suite::Moneda()) {
        // Taken on the magnitude, so that a fully linked credit note is "Ok" too.
        suite::Moneda base = importe < suite::Moneda() ? -importe : importe;
        tolerancia = base * difPor / 100;
    }
    bool ok = tolerancia ? (diferencia < suite::Moneda() ? -diferencia : diferencia) <= *tolerancia
                         : diferencia.EsCero();
    if (ok) {
        return colorOk;
    }
    return vinculado.EsCero() ? -1 : colorDif;
}

std::string Mayusculas(std::string s) {
    while (!s.empty() && s.back() == ' ') {
        s.pop_back();
    }
    for (char &c : s) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return s;
}

// Field positions of the load query, found by name once per load.
struct Campos {
    std::size_t tipoIni, tipoCod, tipoNom, pp, provCod, provNom, cta, ctaFicha, pdte, pdteFicha, contCompras, doc,
        docCen, fecha, importe, id, existeRec, acreedor, provCen, vinculado, difCur, difPor, relacion, nuevaVto,
        noPago, emisor, tipoFactura, obs1, obs2, obs3, obs4, impuestos;

    explicit Campos(const db::Recordset &rs) {
        auto at = [&](const char *name) {
            for (std::size_t i = 0; i < rs.FieldCount(); ++i) {
                if (strcasecmp(rs.Fields(i).Name().c_str(), name) == 0) {
                    return i;
                }
            }
            throw std::runtime_error(std::string("La consulta de líneas no devuelve el campo ") + name);
        };
        tipoIni = at("TipoPagoIniciales");
        tipoCod = at("TipoPagoCodigo");
        tipoNom = at("TipoPagoNombre");
        pp = at("ProntoPago");
        provCod = at("ProvCodigo");
        provNom = at("ProvNombre");
        cta = at("Cta_Proveedor");
        ctaFicha = at("Cta_ProveedorFicha");
        pdte = at("Cta_ProveedorPdte");
        pdteFicha = at("Cta_ProveedorPdteFicha");
        contCompras = at("Cont_Compras");
        doc = at("Documento");
        docCen = at("DocumentoCentral");
        fecha = at("Fecha");
        importe = at("Importe");
        id = at("IdExtractoLinea");
        existeRec = at("ExisteRec");
        acreedor = at("Acreedor");
        provCen = at("Cod_ProveedorCentral");
        vinculado = at("ImporteVinculado");
        difCur = at("PagoCentralDifCur");
        difPor = at("PagoCentralDifPor");
        relacion = at("Id_Relacion");
        nuevaVto = at("Nueva_FechaVto");
        noPago = at("NoPago");
        emisor = at("Emisor");
        tipoFactura = at("TipoFactura");
        obs1 = at("Obs1");
        obs2 = at("Obs2");
        obs3 = at("Obs3");
        obs4 = at("Obs4");
        impuestos = at("Impuestos");
    }
};

const char *TextoEmisor(std::int64_t v) { return v == 1 ? "Socio" : v == 2 ? "Proveedor" : ""; }
const char *TextoTipoFactura(std::int64_t v) { return v == 1 ? "Mercancía" : v == 2 ? "Servicio" : ""; }

} // namespace

frmExtractos_Lineas::frmExtractos_Lineas(host::Shell &shell, std::shared_ptr<suite::Configuracion> ajustes)
    : Window("frmExtractos_Lineas", shell),
      ajustes_(ajustes ? std::move(ajustes) : std::make_shared<suite::Configuracion>()) {
    auto campo = [](host::Control &c, const char *name, const char *caption) {
        c.name = name;
        c.caption = caption;
    };
    campo(txtFechaI, "txtFechaI", "Fecha:");
    campo(txtFechaF, "txtFechaF", "");
    campo(txtProv, "txtProv", "Proveedor:");
    campo(txtDocumento, "txtDocumento", "Documento:");
    campo(txtDocumentoCentral, "txtDocumentoCentral", "Doc. Central:");
    campo(txtAlmacen, "txtAlmacen", "Almacén:");
    campo(txtImporte, "txtImporte", "Buscar Importe:");
    campo(chkSelelecion_vsLineas, "chkSelelecion_vsLineas", "");
    Boton(cmdAgregar, "cmdAgregar", "&Agregar");
    Boton(cmdModificar, "cmdModificar", "&Modificar");
    Boton(cmdEliminar, "cmdEliminar", "&Eliminar");
    Boton(cmdVincular, "cmdVincular", "&Vincular al Pago");
    Boton(cmdAgregarFactura, "cmdAgregarFactura", "&Importar Prev.Pagos");
    Boton(cmdReclamar, "cmdReclamar", "&Reclamar");
    Boton(cmdVolver, "cmdVolver", "&Volver");
    Boton(cmdImprimir, "cmdImprimir", "&Imprimir");
    txtAlmacen.locked = true;
    using A = host::GridAlign;
    using T = host::GridType;
    vsLineas.columns = {
        {"", 400, A::Center, T::Boolean},
        {"Prov.Cen.", 800, A::Left, T::Long},
        {"Cuenta Prov.", 1100, A::Left, T::String},
        {"Cta.Prov.Pdte", 1100, A::Left, T::String},
        {"Proveedor", 800, A::Right, T::Long},
        {"Proveedor", 700, A::Left, T::String},
        {"B.I.", 500, A::Center, T::String},
        {"", 0, A::Right, T::Short, true},
        {"Tipo Pago", 700, A::Left, T::String},
        {"Documento", 800, A::Right, T::String},
        {"Doc. Central", 800, A::Right, T::String},
        {"Fecha", 1100, A::Center, T::Date},
        {"Importe", 1200, A::Right, T::Currency},
        {"Vinculado", 1200, A::Right, T::Currency},
        {"Diferencia", 1300, A::Right, T::Currency},
        {"", 0, A::Left, T::Long, true},
        {"", 0, A::Left, T::Short, true},
        {"P.P.", 500, A::Center, T::String},
        {"Vinc.", 500, A::Center, T::String},
        {"Rec.", 500, A::Center, T::String},
        {"Acre.", 500, A::Center, T::String},
        {"", 0, A::Left, T::Long, true},
        {"", 0, A::Left, T::Short, true},
        {"Emisor", 900, A::Center, T::String},
        {"", 0, A::Left, T::Short, true},
        {"Tipo Fact.", 900, A::Center, T::String},
        {"N.P.", 500, A::Center, T::String},
        {"Nueva F.Vto.", 1100, A::Center, T::Date},
        {"", 0, A::Left, T::String, true},
        {"", 0, A::Left, T::String, true},
        {"", 0, A::Left, T::String, true},
        {"", 0, A::Left, T::String, true},
        {"", 0, A::Left, T::String, true},
    };
}

int frmExtractos_Lineas::Modo() const {
    return static_cast<int>(Ctx().empresaVarnex->Parametro("PagoCentral_TipoExtracto").ToLong());
}

void frmExtractos_Lineas::Form_Load() {
    Trap("Form_Load", [&] {
        vsLineas.Clear();
        modo_ = Modo();
        bool tipo2 = modo_ == 2;
        for (int c : {colProvCentral, colCtaProveedor, colCtaProveedorPdte, colBI, colRec, colAcre}) {
            vsLineas.columns[c].hidden = tipo2;
        }
        for (int c : {colEmisor, colTipoFactura, colNP, colNuevaFechaVto}) {
            vsLineas.columns[c].hidden = !tipo2;
        }
        cmdAgregarFactura.visible = tipo2;
        cmdReclamar.enabled = modo_ == 1;

        caption = "Pagos Centralizados - Extracto: " + codExtracto;
        std::string fi = ajustes_->LeerValor("FechaILineas");
        std::string ff = ajustes_->LeerValor("FechaFLineas");
        txtFechaI.text = fi.empty() ? fechaExtracto.SumarDias(-90).Formato("dd/mm/yyyy") : fi;
        txtFechaF.text = ff.empty() ? suite::Fecha::Hoy().Formato("dd/mm/yyyy") : ff;
        ajustes_->GuardarValor("FechaILineas", txtFechaI.text);
        ajustes_->GuardarValor("FechaFLineas", txtFechaF.text);

        if (codAlmacen > 0) {
            txtAlmacen.code = codAlmacen;
            txtAlmacen.text = std::to_string(codAlmacen);
            txtAlmacen.descripcion = BuscadorMaestros::NombreAlmacen(*Ctx().conexionVarnex, Ctx().empresaVarnex->Codigo(),
                                                              codAlmacen)
                                  .value_or("");
        }
        Popup.clear();
        if (tipo2) {
            Popup = {{menuNoPago, "No Pago...", true}, {menuNuevaFechaVto, "Nueva Fecha Vencimiento...", true}};
        }
        filaGuardada_ = 0;
        filaSuperior_ = 0;
        filaBusqueda_ = 1;
    });
    Cargar_Lineas();
}

void frmExtractos_Lineas::Cargar_Lineas() {
    auto &conn = *Ctx().conexionVarnex;
    bool conReclamaciones = false, conImpuestos = false;
    Trap("Cargar_Lineas", [&] {
        host::MostrarProgreso(Ui(), true, "Cargando líneas de extractos, espere por favor...");
        vsLineas.redraw = false;
        vsLineas.Clear();
        chkSelelecion_vsLineas.value = false;
        auto &fmt = suite::Formato::Instancia();
        const auto &emp = *Ctx().empresaVarnex;

        std::string fi = fmt.FechaTexto(txtFechaI.text), ff = fmt.FechaTexto(txtFechaF.text);
        if (fi.empty() || ff.empty()) {
            Ui().MsgBox("Debe introducir una fecha válida.", kAtencion, host::Icon::Warning);
            Ui().Focus(*this, fi.empty() ? "txtFechaI" : "txtFechaF");
            EstadoBotones();
            host::MostrarProgreso(Ui(), false);
            return;
        }
        std::string filtros = " AND lin.Fecha BETWEEN '" + fi + "' AND '" + ff + "'";
        if (txtProv.code >= 1) {
            filtros += " AND lin.Cod_Proveedor =" + std::to_string(txtProv.code);
        }
        if (!txtDocumento.text.empty()) {
            filtros += " AND lin.Documento LIKE " + db::Contiene(txtDocumento.text);
        }
        if (!txtDocumentoCentral.text.empty()) {
            filtros += " AND lin.DocumentoCentral LIKE " + db::Contiene(txtDocumentoCentral.text);
        }

        std::string co = std::to_string(emp.Codigo());
        std::string alm = std::to_string(codAlmacen);
        std::string ext = db::Escape(codExtracto);
        std::string delExtracto = " WHERE lin.Cod_Empresa =" + co + " AND lin.Cod_Almacen =" + alm +
                                  " AND lin.Cod_Extracto ='" + ext + "'";
        modo_ = Modo();
        std::string sql;
        if (modo_ == 1) {
            conn.Execute("CREATE TABLE #PagoCentralRec (IdExtractoLinea INT)");
            conReclamaciones = true;
            conn.Execute("INSERT INTO #PagoCentralRec (IdExtractoLinea) SELECT DISTINCT IdExtractoLinea FROM "
                         "Compras_PagosCentral_Extractos_Lineas_Reclamacion");
            conn.Execute("CREATE TABLE #Impuestos (IdExtractoLinea INT, Total MONEY)");
            conImpuestos = true;
            conn.Execute("INSERT INTO #Impuestos (IdExtractoLinea, Total)"
                         " SELECT imp.IdExtractoLinea, SUM(imp.Base + imp.Importe) AS Total"
                         " FROM Compras_PagosCentral_Extractos_Lineas_Impuestos imp"
                         " INNER JOIN Compras_PagosCentral_Extractos_Lineas lin ON lin.IdExtractoLinea = "
                         "imp.IdExtractoLinea" +
                         delExtracto + " GROUP BY imp.IdExtractoLinea");
            sql = "SELECT tp.Tipo AS TipoPagoIniciales, tp.Codigo AS TipoPagoCodigo, tp.Nombre AS TipoPagoNombre, "
                  "lin.ProntoPago, lin.Cod_Proveedor AS ProvCodigo,"
                  " ISNULL(prov.Nombre,'') AS ProvNombre, lin.Cta_Proveedor, ISNULL(prov.Cta_Proveedor,'') AS "
                  "Cta_ProveedorFicha,"
                  " lin.Cta_ProveedorPdte, ISNULL(prov.Cta_Pdte,'') AS Cta_ProveedorPdteFicha,"
                  " ISNULL(prov.Cont_Compras,0) AS Cont_Compras, lin.Documento, lin.DocumentoCentral, lin.Fecha, "
                  "lin.Importe, lin.IdExtractoLinea,"
                  " ISNULL(rec.IdExtractoLinea,0) AS ExisteRec, lin.Acreedor, lin.Cod_ProveedorCentral, "
                  "lin.ImporteVinculado,"
                  " ISNULL(prov.PagoCentralDifCur,0) AS PagoCentralDifCur, ISNULL(prov.PagoCentralDifPor,0) AS "
                  "PagoCentralDifPor,"
                  " lin.Id_Relacion, lin.Nueva_FechaVto, lin.NoPago, lin.Emisor, lin.TipoFactura, lin.Obs1, lin.Obs2, "
                  "lin.Obs3, lin.Obs4,"
                  " ISNULL(imp.Total,0) AS Impuestos"
                  " FROM Compras_PagosCentral_Extractos_Lineas lin"
                  " LEFT JOIN Proveedores prov"
                  " ON prov.Cod_Empresa =" +
                  co +
                  " AND prov.Codigo = lin.Cod_Proveedor"
                  " LEFT JOIN #PagoCentralRec rec"
                  " ON rec.IdExtractoLinea = lin.IdExtractoLinea"
                  " LEFT JOIN Compras_PagosCentral_Extractos_TiposPago tp"
                  " ON tp.Codigo = lin.TipoPago"
                  " LEFT JOIN #Impuestos imp ON imp.IdExtractoLinea = lin.IdExtractoLinea" +
                  delExtracto + filtros + " ORDER BY lin.Cod_Proveedor, lin.Fecha, lin.Importe";
        } else if (modo_ == 2) {
            if (!extractoCerrado) {
                // Links to forecasts deleted in the accounting database go, and the amounts follow.
                db::Transaction tx(conn);
                std::string contabilidad = Ctx().empresaLumbra->Parametro("ODBCBaseDatos").ToText();
                long borrados = conn.Execute(
                    "DELETE pp FROM Compras_PagosCentral_PrevPagos AS pp"
                    " INNER JOIN Compras_PagosCentral_Extractos_Lineas AS lin ON lin.IdExtractoLinea = "
                    "pp.IdExtractoLinea" +
                    delExtracto + " AND pp.IdPrevPago NOT IN (SELECT prevp.Apunte FROM " + contabilidad +
                    ".dbo.Previsiones_Pago prevp WHERE prevp.Apunte = pp.IdPrevPago)");
                if (borrados > 0) {
                    conn.Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET ImporteVinculado = (SELECT "
                                 "dbo.fn_DevPagosCenImporteVinculadoLineaPrevPagos(IdExtractoLinea))"
                                 " WHERE Cod_Empresa =" +
                                 co + " AND Cod_Almacen =" + alm + " AND Cod_Extracto ='" + ext + "'");
                }
                tx.Commit();
            }
            sql = "SELECT tp.Tipo AS TipoPagoIniciales, tp.Codigo AS TipoPagoCodigo, tp.Nombre AS TipoPagoNombre, "
                  "lin.ProntoPago, lin.Cod_Proveedor AS ProvCodigo, ISNULL(prov.Nombre,'') AS ProvNombre,"
                  " lin.Cta_Proveedor, ISNULL(prov.Cta_Proveedor,'') AS Cta_ProveedorFicha,"
                  " '' AS Cta_ProveedorPdte, '' AS Cta_ProveedorPdteFicha,"
                  " 0 AS Cont_Compras, lin.Documento, lin.DocumentoCentral,"
                  " lin.Fecha, lin.Importe, lin.IdExtractoLinea, lin.ImporteVinculado,"
                  " ISNULL(prov.PagoCentralDifCur,0) AS PagoCentralDifCur, ISNULL(prov.PagoCentralDifPor,0) AS "
                  "PagoCentralDifPor, 0 AS ExisteRec, 0 AS Acreedor, 0 AS Cod_ProveedorCentral,"
                  " lin.Id_Relacion, lin.Nueva_FechaVto, lin.NoPago, lin.Emisor, lin.TipoFactura, lin.Obs1, lin.Obs2, "
                  "lin.Obs3, lin.Obs4, 0 AS Impuestos"
                  " FROM Compras_PagosCentral_Extractos_Lineas lin"
                  " LEFT JOIN Proveedores prov"
                  " ON prov.Cod_Empresa =" +
                  co +
                  " AND prov.Codigo = lin.Cod_Proveedor"
                  " LEFT JOIN Compras_PagosCentral_Extractos_TiposPago tp"
                  " ON tp.Codigo = lin.TipoPago" +
                  delExtracto + filtros + " ORDER BY prov.Nombre, lin.Fecha, lin.Importe";
        } else {
            throw std::runtime_error("El tipo de extracto (PagoCentral_TipoExtracto) no está configurado: '" +
                                     emp.Parametro("PagoCentral_TipoExtracto").ToText() + "'");
        }

        const int dec = emp.DecimalesImporte();
        const long colorOk = Color("ColorPagoCentralizadoVinculacionOk");
        const long colorDif = Color("ColorPagoCentralizadoVinculacionDif");
        const long colorEuromadi = modo_ == 2 ? Color("ColorPagoCentralizadoEuromadi") : -1;
        // The account service and its inputs are only asked for when a line needs a composed account.
        lumbra::CuentasContables cuentas;
        std::optional<int> longitud;
        std::optional<std::string> raizProveedor, raizPdte;
        auto componer = [&](std::optional<std::string> &raiz, bool pendiente, long proveedor) {
            if (!longitud) {
                longitud = Ctx().empresaLumbra->LongitudCuenta();
            }
            if (!raiz) {
                raiz = pendiente ? emp.Parametro("Raiz_ProveedoresPendRecibir").ToText()
                                 : std::to_string(emp.RaizCuentaProveedor());
            }
            return cuentas.ComponerCuenta(*raiz, proveedor, *longitud);
        };

        auto rs = conn.OpenRecordset(sql);
        std::optional<Campos> f;
        auto moneda = [&](std::size_t i) { return suite::Moneda::FromUnits(rs->Fields(i).AsCurrencyUnits()); };
        auto entero = [&](std::size_t i) { return rs->Fields(i).AsInt64(); };
        auto texto = [&](std::size_t i) { return rs->Fields(i).AsText(); };
        while (!rs->Eof()) {
            if (!f) {
                f.emplace(*rs);
            }
            suite::Moneda importe = moneda(f->importe), vinculado = moneda(f->vinculado);
            bool pp = entero(f->pp) != 0, acreedor = entero(f->acreedor) != 0;
            long proveedor = static_cast<long>(entero(f->provCod));
            std::vector<std::string> c(kColumnas);
            c[colSel] = "0";
            c[colProvCentral] = texto(f->provCen);
            c[colCtaProveedor] = texto(f->cta);
            if (c[colCtaProveedor].empty()) {
                c[colCtaProveedor] = texto(f->ctaFicha);
            }
            if (c[colCtaProveedor].empty()) {
                c[colCtaProveedor] = componer(raizProveedor, false, proveedor);
            }
            if (modo_ == 1) {
                c[colCtaProveedorPdte] = texto(f->pdte);
                if (c[colCtaProveedorPdte].empty()) {
                    c[colCtaProveedorPdte] = texto(f->pdteFicha);
                }
                if (c[colCtaProveedorPdte].empty()) {
                    c[colCtaProveedorPdte] = componer(raizPdte, true, proveedor);
                }
                c[colBI] = moneda(f->impuestos) == importe ? "X" : "";
                c[colRec] = entero(f->existeRec) > 0 ? "X" : "";
            }
            c[colProveedor] = texto(f->provCod);
            c[colNombreProveedor] = texto(f->provNom);
            c[colTipoPagoCodigo] = texto(f->tipoCod);
            c[colTipoPago] = texto(f->tipoNom);
            c[colDocumento] = texto(f->doc);
            c[colDocCentral] = texto(f->docCen);
            c[colFecha] = FechaCampo(rs->Fields(f->fecha));
            c[colImporte] = fmt.Redondear(importe, dec);
            c[colVinculado] = fmt.Redondear(vinculado, dec);
            c[colDiferencia] = fmt.Redondear(importe - vinculado, dec);
            c[colIdLinea] = texto(f->id);
            c[colContCompras] = std::to_string(entero(f->contCompras));
            c[colPP] = pp ? "X" : "";
            c[colVinc] = vinculado.EsCero() ? "" : "X";
            c[colAcre] = acreedor ? "X" : "";
            std::int64_t relacion = entero(f->relacion);
            c[colIdRelacion] = std::to_string(relacion);
            std::int64_t emisor = entero(f->emisor), tipoFactura = entero(f->tipoFactura);
            c[colEmisorCodigo] = std::to_string(emisor);
            c[colEmisor] = TextoEmisor(emisor);
            c[colTipoFacturaCodigo] = std::to_string(tipoFactura);
            c[colTipoFactura] = TextoTipoFactura(tipoFactura);
            c[colNP] = entero(f->noPago) != 0 ? "X" : "";
            // 01/01/1900 is no date: the cell stays empty, as the linkable rule expects.
            std::string vto = FechaCampo(rs->Fields(f->nuevaVto));
            c[colNuevaFechaVto] = vto == "01/01/1900" ? "" : vto;
            c[colObs1] = texto(f->obs1);
            c[colObs2] = texto(f->obs2);
            c[colObs3] = texto(f->obs3);
            c[colObs4] = texto(f->obs4);
            c[colTipoPagoIniciales] = texto(f->tipoIni);
            vsLineas.AddRow(std::move(c));

            int r = vsLineas.DataRows();
            long color = ColorLinea(importe, vinculado, pp || acreedor, moneda(f->difCur), moneda(f->difPor),
                                    colorOk, colorDif);
            if (color != -1) {
                for (int col = colProvCentral; col <= colAcre; ++col) {
                    vsLineas.SetCellBackColor(r, col, color);
                }
            }
            if (modo_ == 2 && relacion > 0 && colorEuromadi != -1) {
                vsLineas.SetCellBackColor(r, colTipoPago, colorEuromadi);
            }
            rs->MoveNext();
        }
        rs->Close();
        if (conReclamaciones) {
            conReclamaciones = false;
            conn.Execute("DROP TABLE #PagoCentralRec");
        }
        if (conImpuestos) {
            conImpuestos = false;
            conn.Execute("DROP TABLE #Impuestos");
        }

        if (vsLineas.DataRows() > 0) {
            if (filaGuardada_ >= 1 && filaGuardada_ < vsLineas.Rows()) {
                vsLineas.row = filaGuardada_;
                vsLineas.topRow = filaSuperior_ >= 1 && filaSuperior_ < vsLineas.Rows() ? filaSuperior_ : 1;
            } else {
                vsLineas.row = 1;
                vsLineas.topRow = 1;
            }
        }
        EstadoBotones();
        vsLineas.redraw = true;
        host::MostrarProgreso(Ui(), false);
    });
    // A failed load must not leave its temporary tables behind, or the next load could not create them.
    for (auto [creada, tabla] : {std::pair{conReclamaciones, "#PagoCentralRec"}, std::pair{conImpuestos, "#Impuestos"}}) {
        if (creada) {
            try {
                conn.Execute(std::string("DROP TABLE ") + tabla);
            } catch (...) {
            }
        }
    }
    vsLineas.redraw = true;
    Ui().Refresh(*this);
}

void frmExtractos_Lineas::txtFechaI_Change() {
    Trap("txtFechaI_Change", [&] { ajustes_->GuardarValor("FechaILineas", txtFechaI.text); });
}

void frmExtractos_Lineas::txtFechaF_Change() {
    Trap("txtFechaF_Change", [&] { ajustes_->GuardarValor("FechaFLineas", txtFechaF.text); });
}

void frmExtractos_Lineas::txtFechaF_Enter() {
    filaGuardada_ = 0;
    filaSuperior_ = 0;
    Cargar_Lineas();
}

void frmExtractos_Lineas::txtProv_Change() {
    Trap("txtProv_Change", [&] {
        txtProv.descripcion = BuscadorMaestros::NombreProveedor(*Ctx().conexionVarnex, Ctx().empresaVarnex->Codigo(),
                                                         txtProv.code)
                           .value_or("");
    });
}

void frmExtractos_Lineas::txtProv_Enter() {
    if (txtProv.code < 1) {
        Ui().Focus(*this, "txtDocumento");
    }
}

std::vector<BuscadorMaestros::Fila> frmExtractos_Lineas::BuscarProveedores(const std::string &texto) const {
    return BuscadorMaestros::Proveedores(*Ctx().conexionVarnex, Ctx().empresaVarnex->Codigo(), texto);
}

void frmExtractos_Lineas::txtImporte_Enter() {
    Trap("txtImporte_Enter", [&] {
        std::string t = txtImporte.text;
        if (vsLineas.DataRows() < 1 || t.find_first_not_of(' ') == std::string::npos) {
            return;
        }
        auto &fmt = suite::Formato::Instancia();
        // Only an amount is looked for: other text would read as 0 and stop on the lines of 0.
        if (!suite::Moneda::Parse(t)) {
            filaBusqueda_ = 1;
            Ui().Focus(*this, "txtImporte");
            return;
        }
        suite::Moneda buscado = fmt.ANumero(t);
        for (int r = std::max(1, filaBusqueda_); r <= vsLineas.DataRows(); ++r) {
            if (fmt.ANumero(vsLineas.Text(r, colImporte)) == buscado) {
                vsLineas.row = r;
                vsLineas.topRow = r;
                filaBusqueda_ = r + 1;
                EstadoBotones();
                Ui().Focus(*this, "txtImporte");
                Ui().Refresh(*this);
                return;
            }
        }
        filaBusqueda_ = 1;
        Ui().Focus(*this, "txtImporte");
    });
}

void frmExtractos_Lineas::vsLineas_Click(int row, int col) {
    if (col == colSel && row >= 1 && row <= vsLineas.DataRows()) {
        vsLineas.Toggle(row);
    }
}

void frmExtractos_Lineas::vsLineas_KeySpace() {
    if (vsLineas.row >= 1 && vsLineas.row <= vsLineas.DataRows()) {
        vsLineas.Toggle(vsLineas.row);
    }
}

void frmExtractos_Lineas::chkSelelecion_vsLineas_Click() {
    for (int r = 1; r <= vsLineas.DataRows(); ++r) {
        vsLineas.SetTicked(r, chkSelelecion_vsLineas.value);
    }
}

void frmExtractos_Lineas::vsLineas_RowColChange(int row) {
    if (row < 1 || row > vsLineas.DataRows()) {
        return;
    }
    vsLineas.row = row;
    EstadoBotones();
}

bool frmExtractos_Lineas::LineaVinculable() const {
    int r = vsLineas.row;
    if (vsLineas.DataRows() < 1 || r < 1 || r > vsLineas.DataRows()) {
        return false;
    }
    std::string ini = Mayusculas(vsLineas.Text(r, colTipoPagoIniciales));
    if (ini == "XIA" || ini == "XI" || ini == "RIA" || ini == "RI") {
        return false;
    }
    return vsLineas.Text(r, colNuevaFechaVto).empty() && vsLineas.Text(r, colNP) != "X" &&
           vsLineas.Text(r, colAcre) != "X" && vsLineas.Text(r, colPP) != "X";
}

void frmExtractos_Lineas::EstadoBotones() {
    bool abierto = !extractoCerrado;
    cmdEliminar.enabled = abierto;
    cmdModificar.enabled = abierto;
    cmdAgregar.enabled = abierto;
    cmdAgregarFactura.enabled = abierto;
    cmdVincular.enabled = LineaVinculable();
    int r = vsLineas.row;
    bool linea = r >= 1 && r <= vsLineas.DataRows();
    if (modo_ == 2 && linea && Numero(vsLineas.Text(r, colIdRelacion)) != 0) {
        cmdEliminar.enabled = false;
        cmdModificar.enabled = false;
    }
    if (modo_ == 1) {
        cmdReclamar.enabled = !(linea && vsLineas.Text(r, colPP) == "X");
    }
}

bool frmExtractos_Lineas::vsLineas_MouseDownRight() {
    if (modo_ != 2 || vsLineas.DataRows() < 1 || Popup.empty()) {
        return false;
    }
    int r = vsLineas.row;
    bool libre = r >= 1 && r <= vsLineas.DataRows() && Numero(vsLineas.Text(r, colIdRelacion)) == 0;
    for (auto &e : Popup) {
        e.enabled = libre;
    }
    return true;
}

void frmExtractos_Lineas::GuardarPosicion() {
    if (vsLineas.DataRows() > 0) {
        filaGuardada_ = vsLineas.row;
        filaSuperior_ = vsLineas.topRow;
    } else {
        filaGuardada_ = 0;
        filaSuperior_ = 0;
    }
}

void frmExtractos_Lineas::cmdAgregar_Click() {
    bool grabado = false;
    Trap("cmdAgregar_Click", [&] {
        if (extractoCerrado) {
            return;
        }
        frmExtractos_Lineas_Datos d(Ui());
        d.idExtractoLinea = 0;
        d.codAlmacen = codAlmacen;
        if (alAbrirDatos) {
            alAbrirDatos(d);
        }
        d.Show(1);
        if (!d.aceptado) {
            return;
        }
        auto &conn = *Ctx().conexionVarnex;
        auto &fmt = suite::Formato::Instancia();
        int modo = Modo();
        std::string columnas = "INSERT INTO Compras_PagosCentral_Extractos_Lineas(Cod_Empresa, Cod_Almacen, "
                               "Cod_Extracto, Cod_Proveedor,"
                               " Documento, DocumentoCentral, Fecha, Importe, ProntoPago, TipoPago, Cta_Proveedor, "
                               "Cod_ProveedorCentral, Acreedor,"
                               " Nueva_FechaVto, NoPago, Emisor, TipoFactura, Obs1, Obs2, Obs3, Obs4";
        std::string valores = std::to_string(Ctx().empresaVarnex->Codigo()) + ", " + std::to_string(codAlmacen) +
                              ", '" + db::Escape(codExtracto) + "', " + std::to_string(d.codProveedor) + ", '" +
                              db::Escape(d.documento) + "', '" + db::Escape(d.documentoCentral) + "', '" +
                              db::Escape(d.fecha) + "', " + fmt.NumeroSQL(d.importePago) + ", " +
                              (d.prontoPago ? "1" : "0") + ", " + std::to_string(d.tipoPago) + ", '" +
                              db::Escape(d.ctaProveedor) + "', " + std::to_string(d.codProveedorCentral) + ", " +
                              (d.acreedor ? "1" : "0") + ", ''" + ", 0" + ", " + std::to_string(d.emisor) + ", " +
                              std::to_string(d.tipoFactura) + ", ''" + ", ''" + ", ''" + ", ''";
        if (modo == 1) {
            // The pending-receipt account goes into the same statement.
            columnas += ", Cta_ProveedorPdte";
            valores += ", '" + db::Escape(d.ctaProveedorPdte) + "'";
        }
        // A line without the tax rows it was given would pass for another line: all or nothing.
        db::Transaction tx(conn);
        conn.Execute(columnas + ") VALUES(" + valores + ")");
        if (modo == 1) {
            auto rs = conn.OpenRecordset("SELECT ISNULL(@@IDENTITY, 0) AS Id");
            long id = rs->Eof() ? 0 : static_cast<long>(rs->Fields("Id").AsInt64());
            rs->Close();
            GrabarImpuestos(d, id);
        }
        tx.Commit();
        grabado = true;
        GuardarPosicion();
    });
    if (grabado) {
        Cargar_Lineas();
    }
}

void frmExtractos_Lineas::cmdModificar_Click() {
    bool grabado = false;
    Trap("cmdModificar_Click", [&] {
        int r = vsLineas.row;
        if (extractoCerrado || vsLineas.DataRows() < 1 || r < 1 || r > vsLineas.DataRows()) {
            return;
        }
        int modo = Modo();
        if (modo == 2 && Numero(vsLineas.Text(r, colIdRelacion)) != 0) {
            return;
        }
        auto &fmt = suite::Formato::Instancia();
        frmExtractos_Lineas_Datos d(Ui());
        d.idExtractoLinea = Numero(vsLineas.Text(r, colIdLinea));
        d.codAlmacen = codAlmacen;
        d.codProveedor = Numero(vsLineas.Text(r, colProveedor));
        d.ctaProveedor = vsLineas.Text(r, colCtaProveedor);
        d.ctaProveedorPdte = vsLineas.Text(r, colCtaProveedorPdte);
        d.importePago = fmt.ANumero(vsLineas.Text(r, colImporte));
        d.prontoPago = vsLineas.Text(r, colPP) == "X";
        d.tipoPago = static_cast<int>(Numero(vsLineas.Text(r, colTipoPagoCodigo)));
        d.documento = vsLineas.Text(r, colDocumento);
        d.documentoCentral = vsLineas.Text(r, colDocCentral);
        d.fecha = vsLineas.Text(r, colFecha);
        d.vinculado = vsLineas.Text(r, colVinc) == "X";
        d.codProveedorCentral = Numero(vsLineas.Text(r, colProvCentral));
        d.acreedor = vsLineas.Text(r, colAcre) == "X";
        d.emisor = static_cast<int>(Numero(vsLineas.Text(r, colEmisorCodigo)));
        d.tipoFactura = static_cast<int>(Numero(vsLineas.Text(r, colTipoFacturaCodigo)));
        if (alAbrirDatos) {
            alAbrirDatos(d);
        }
        d.Show(1);
        if (!d.aceptado) {
            return;
        }
        auto &conn = *Ctx().conexionVarnex;
        db::Transaction tx(conn);
        conn.Execute("UPDATE Compras_PagosCentral_Extractos_Lineas"
                     " SET Cod_Proveedor =" +
                     std::to_string(d.codProveedor) + ", Importe =" + fmt.NumeroSQL(d.importePago) +
                     ", ProntoPago =" + (d.prontoPago ? "1" : "0") + ", TipoPago =" + std::to_string(d.tipoPago) +
                     ", Documento ='" + db::Escape(d.documento) + "'" + ", DocumentoCentral ='" +
                     db::Escape(d.documentoCentral) + "'" + ", Fecha ='" + db::Escape(d.fecha) + "'" +
                     ", Cta_Proveedor ='" + db::Escape(d.ctaProveedor) + "'" + ", Cta_ProveedorPdte ='" +
                     db::Escape(d.ctaProveedorPdte) + "'" + ", Cod_ProveedorCentral =" +
                     std::to_string(d.codProveedorCentral) + ", Acreedor =" + (d.acreedor ? "1" : "0") +
                     ", Emisor =" + std::to_string(d.emisor) + ", TipoFactura =" + std::to_string(d.tipoFactura) +
                     " WHERE IdExtractoLinea =" + std::to_string(d.idExtractoLinea));
        if (modo == 1) {
            GrabarImpuestos(d, d.idExtractoLinea);
        }
        tx.Commit();
        grabado = true;
        GuardarPosicion();
    });
    if (grabado) {
        Cargar_Lineas();
    }
}

void frmExtractos_Lineas::GrabarImpuestos(const frmExtractos_Lineas_Datos &d, long id) {
    auto &conn = *Ctx().conexionVarnex;
    auto &fmt = suite::Formato::Instancia();
    std::string key = std::to_string(id);
    // Only the rows the editor let the user change are rewritten; the others stay as stored.
    std::string editables;
    for (int i = 0; i < frmExtractos_Lineas_Datos::kFilas; ++i) {
        if (d.FilaEditable(i)) {
            editables += (editables.empty() ? "" : ",") + std::to_string(i);
        }
    }
    if (editables.empty()) {
        return;
    }
    conn.Execute("DELETE FROM Compras_PagosCentral_Extractos_Lineas_Impuestos"
                 " WHERE IdExtractoLinea =" +
                 key + " AND Tipo IN (" + editables + ")");
    for (int i = 0; i < frmExtractos_Lineas_Datos::kFilas; ++i) {
        auto k = static_cast<std::size_t>(i);
        if (!d.FilaEditable(i) || d.Impuestos_Base[k].EsCero()) {
            continue;
        }
        conn.Execute("INSERT INTO Compras_PagosCentral_Extractos_Lineas_Impuestos(IdExtractoLinea, Base,"
                     " Valor_Tipo, Importe, Tipo)VALUES(" +
                     key + ", " + fmt.NumeroSQL(d.Impuestos_Base[k]) + ", " + fmt.NumeroSQL(d.Impuestos_Tipo[k]) +
                     ", " + fmt.NumeroSQL(d.Impuestos_Importe[k]) + ", " + std::to_string(i) + ")");
    }
}

void frmExtractos_Lineas::cmdEliminar_Click() {
    bool borrado = false;
    Trap("cmdEliminar_Click", [&] {
        int r = vsLineas.row;
        if (extractoCerrado || vsLineas.DataRows() < 1 || r < 1 || r > vsLineas.DataRows()) {
            return;
        }
        if (Modo() == 2 && Numero(vsLineas.Text(r, colIdRelacion)) != 0) {
            return;
        }
        if (Ui().MsgBox("¿Está seguro que desea eliminar la linea de Extracto y sus facturas asociadas?", kAtencion,
                        host::Icon::Question, host::Buttons::YesNo, host::Answer::Yes) != host::Answer::Yes) {
            return;
        }
        std::string id = " WHERE IdExtractoLinea =" + std::to_string(Numero(vsLineas.Text(r, colIdLinea)));
        auto &conn = *Ctx().conexionVarnex;
        db::Transaction tx(conn);
        conn.Execute("DELETE FROM Compras_PagosCentral_Entradas" + id);
        conn.Execute("DELETE FROM Compras_PagosCentral_Entradas_Facturas" + id);
        conn.Execute("DELETE FROM Compras_PagosCentral_Extractos_Lineas_Reclamacion" + id);
        conn.Execute("DELETE FROM Compras_PagosCentral_PrevPagos" + id);
        conn.Execute("DELETE FROM Compras_PagosCentral_Extractos_Lineas_Impuestos" + id);
        conn.Execute("DELETE FROM Compras_PagosCentral_Extractos_Lineas" + id);
        tx.Commit();
        borrado = true;
        GuardarPosicion();
    });
    if (borrado) {
        Cargar_Lineas();
    }
}

void frmExtractos_Lineas::cmdVincular_Click() {
    bool cambios = false;
    Trap("cmdVincular_Click", [&] { cambios = LineaVinculable() && AbrirVinculacion(); });
    if (cambios) {
        GuardarPosicion();
        Cargar_Lineas();
    }
}

void frmExtractos_Lineas::Form_KeyDown_F9() {
    if (LineaVinculable()) {
        cmdVincular_Click();
    }
}

void frmExtractos_Lineas::vsLineas_DblClick() {
    if (LineaVinculable()) {
        cmdVincular_Click();
    }
}

void frmExtractos_Lineas::cmdAgregarFactura_Click() {
    bool cambios = false;
    Trap("cmdAgregarFactura_Click", [&] { cambios = !extractoCerrado && Modo() == 2 && AbrirImportarPrevPagos(); });
    if (cambios) {
        GuardarPosicion();
        Cargar_Lineas();
    }
}

void frmExtractos_Lineas::cmdReclamar_Click() {
    bool cambios = false;
    Trap("cmdReclamar_Click", [&] {
        int r = vsLineas.row;
        cambios = Modo() == 1 && r >= 1 && r <= vsLineas.DataRows() && vsLineas.Text(r, colPP) != "X" &&
                  AbrirReclamaciones();
    });
    if (cambios) {
        GuardarPosicion();
        Cargar_Lineas();
    }
}

void frmExtractos_Lineas::CommandBars_Execute(int id) {
    bool cambios = false;
    Trap("CommandBars_Execute", [&] { cambios = EjecutarMenu(id); });
    if (cambios) {
        Cargar_Lineas();
    }
}

bool frmExtractos_Lineas::AbrirVinculacion() {
    int r = vsLineas.row;
    long id = Numero(vsLineas.Text(r, colIdLinea));
    if (Modo() == 1) {
        frmExtractos_Lineas_Vinculos v(Ui(), ajustes_);
        v.idExtractoLinea = id;
        v.contCompras = Numero(vsLineas.Text(r, colContCompras)) != 0;
        v.codAlmacen = codAlmacen;
        v.codProveedor = Numero(vsLineas.Text(r, colProveedor));
        v.extractoCerrado = extractoCerrado;
        v.fechaExtracto = fechaExtracto;
        v.Show(1);
        return true;
    }
    frmExtractos_Lineas_Vinculos_2 v(Ui(), ajustes_);
    v.idExtractoLinea = id;
    v.codAlmacen = codAlmacen;
    v.ctaProveedor = vsLineas.Text(r, colCtaProveedor);
    v.extractoCerrado = extractoCerrado;
    v.fechaExtracto = fechaExtracto;
    v.fechaVto = fechaVto;
    v.Show(1);
    return true;
}

bool frmExtractos_Lineas::AbrirImportarPrevPagos() {
    frmExtractos_Lineas_Vinculos_Agregar_Factura v(Ui(), ajustes_);
    v.ctaProveedor = "";
    v.codExtracto = codExtracto;
    v.codAlmacen = codAlmacen;
    v.fechaExtracto = fechaExtracto;
    v.fechaVto = fechaVto;
    v.Show(1);
    return true;
}

bool frmExtractos_Lineas::ExtractoCerrado() const {
    auto rs = Ctx().conexionVarnex->OpenRecordset(
        "SELECT Cerrado FROM Compras_PagosCentral_Extractos WHERE Cod_Empresa =" +
        std::to_string(Ctx().empresaVarnex->Codigo()) + " AND Cod_Almacen =" + std::to_string(codAlmacen) +
        " AND Cod_Extracto ='" + db::Escape(codExtracto) + "'");
    bool cerrado = !rs->Eof() && rs->Fields(0).AsInt64() != 0;
    rs->Close();
    return cerrado;
}

bool frmExtractos_Lineas::AbrirReclamaciones() {
    int r = vsLineas.row;
    claims::frmExtractos_Lineas_Reclamacion v(Ui());
    v.IdExtractoLinea = Numero(vsLineas.Text(r, colIdLinea));
    v.Cod_Proveedor = Numero(vsLineas.Text(r, colProveedor));
    v.Cod_Almacen = codAlmacen;
    v.ImporteReclamar = suite::Formato::Instancia().ANumero(vsLineas.Text(r, colDiferencia));
    v.FacturaFecha = vsLineas.Text(r, colFecha);
    v.FacturaCodigo = vsLineas.Text(r, colDocumento);
    // An accounted statement posted its claims in its entry: they are only looked at afterwards.
    v.SoloLectura = extractoCerrado;
    v.Show(1);
    return true;
}

bool frmExtractos_Lineas::EjecutarMenu(int id) {
    if (id != menuNoPago && id != menuNuevaFechaVto) {
        return false;
    }
    int filas = vsLineas.DataRows();
    if (filas < 1) {
        return false;
    }
    // An accounted statement keeps its lines and links as they were accounted; the header is read
    // again in case another user closed it since this window opened.
    if (extractoCerrado || ExtractoCerrado()) {
        Ui().MsgBox("El extracto está cerrado: no se puede cambiar el estado a No Pago ó Nueva Fecha Vto. de sus "
                    "lineas.",
                    kAtencion, host::Icon::Warning);
        return false;
    }
    for (int r = 1; r <= filas; ++r) {
        if (vsLineas.Ticked(r) && Numero(vsLineas.Text(r, colIdRelacion)) != 0) {
            Ui().MsgBox("Existen facturas seleccionadas que no permiten cambiar el estado a No Pago ó Nueva Fecha "
                        "Vto. Por favor desmárquelas antes de continuar.",
                        kAtencion, host::Icon::Information);
            return false;
        }
    }
    std::string lista;
    int primera = 0;
    for (int r = 1; r <= filas; ++r) {
        if (vsLineas.Ticked(r)) {
            lista += (lista.empty() ? "" : ",") + std::to_string(Numero(vsLineas.Text(r, colIdLinea)));
            if (primera == 0) {
                primera = r;
            }
        }
    }
    if (lista.empty()) {
        int r = vsLineas.row;
        if (r < 1 || r > filas) {
            return false;
        }
        // The current line stands in for an empty selection, with the same rule on relation ids.
        if (Numero(vsLineas.Text(r, colIdRelacion)) != 0) {
            return false;
        }
        lista = std::to_string(Numero(vsLineas.Text(r, colIdLinea)));
        primera = r;
    }
    frmExtractos_Lineas_NoPagoFechaVto d(Ui());
    d.modo = static_cast<short>(id);
    d.nuevaFechaVto = vsLineas.Text(primera, colNuevaFechaVto);
    d.noPago = vsLineas.Text(primera, colNP) == "X";
    d.obs = {vsLineas.Text(primera, colObs1), vsLineas.Text(primera, colObs2), vsLineas.Text(primera, colObs3),
             vsLineas.Text(primera, colObs4)};
    d.Show(1);
    if (!d.aceptado) {
        return false;
    }
    std::string set = id == menuNoPago ? " SET NoPago = " + std::string(d.noPago ? "1" : "0") + " ,Nueva_FechaVto =''"
                                       : " SET Nueva_FechaVto = '" + db::Escape(d.nuevaFechaVto) + "'" + " ,NoPago = 0";
    auto &conn = *Ctx().conexionVarnex;
    // The marks and the loss of the forecast links go together or not at all.
    db::Transaction tx(conn);
    conn.Execute("UPDATE Compras_PagosCentral_Extractos_Lineas" + set + " ,Obs1 ='" + db::Escape(d.obs[0]) + "'" +
                 " ,Obs2 ='" + db::Escape(d.obs[1]) + "'" + " ,Obs3 ='" + db::Escape(d.obs[2]) + "'" + " ,Obs4 ='" +
                 db::Escape(d.obs[3]) + "'" + " WHERE Cod_Empresa =" + std::to_string(Ctx().empresaVarnex->Codigo()) +
                 " AND IdExtractoLinea IN (" + lista + ")");
    conn.Execute("DELETE FROM Compras_PagosCentral_PrevPagos"
                 " WHERE IdExtractoLinea IN (" +
                 lista + ")");
    previsiones::RecalcularVinculados(conn, lista);
    tx.Commit();
    GuardarPosicion();
    return true;
}

// Printing: the lines of the statement with their filters.
void frmExtractos_Lineas::cmdImprimir_Click() {
    Trap("cmdImprimir_Click", [&] {
        std::string criterio = "Almacén: " + std::to_string(codAlmacen) + "; Extracto: " + codExtracto;
        if (!txtFechaI.text.empty() || !txtFechaF.text.empty()) {
            criterio += "; Fechas: " + txtFechaI.text + " - " + txtFechaF.text;
        }
        printing::ImprimirRejilla(Ui(), vsLineas, "Líneas del extracto " + codExtracto, true, criterio);
    });
}

} // namespace lines
