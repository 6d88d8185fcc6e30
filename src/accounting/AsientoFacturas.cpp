#include "accounting/AsientoFacturas.h"

#include "host/Contexto.h"
#include "suite/EmpresaLumbra.h"
#include "suite/EmpresaVarnex.h"

#include <cctype>
#include <optional>
#include <stdexcept>

namespace accounting {

namespace {

host::Contexto &Ctx() { return host::Contexto::Global(); }
suite::Fecha FechaDe(const db::Field &f) { return suite::Fecha::Parse(f.AsText()).value_or(suite::Fecha()); }
bool RIoXI(const std::string &tipo) { return tipo == "RI" || tipo == "XI"; }

// The parameter's payment types as a list of numbers: it is typed by a user.
std::string ListaCodigos(const std::string &texto) {
    std::string out, numero;
    auto cerrar = [&] {
        if (!numero.empty()) {
            out += (out.empty() ? "" : ",") + std::to_string(std::stol(numero));
            numero.clear();
        }
    };
    for (char c : texto) {
        if (std::isdigit(static_cast<unsigned char>(c)) && numero.size() < 9) {
            numero += c;
        } else if (c == ',') {
            cerrar();
        }
    }
    cerrar();
    return out;
}

} // namespace

AsientoFacturas::AsientoFacturas(host::Window &ventana, std::string &asientosGenerados, EscritorAsiento *escritor)
    : GeneradorAsiento(ventana, asientosGenerados) {
    escritor_ = escritor;
}

bool AsientoFacturas::GenerarAsientoFacturas(const std::string &fecha, short almacen, const std::string &extracto,
                                             const std::string &carpeta) {
    return ventana_.Trap("GenerarAsiento", [&] {
        tipoContabilidad_ = static_cast<int>(Ctx().empresaVarnex->Parametro("Tipo_Contabilidad").ToLong());
        if (tipoContabilidad_ == 6 && !escritor_) {
            throw std::runtime_error("No se pueden generar los ficheros de Sage 200 en " + carpeta);
        }
        auto dia = suite::Fecha::Parse(fecha);
        if (!dia) {
            throw std::runtime_error("Fecha de extracto no válida: " + fecha);
        }
        Preparar(*dia, almacen, extracto);
        Registro();
        Pago(*dia);
    });
}

void AsientoFacturas::Registro() {
    const std::string co = Empresa();
    auto rs = erp_.OpenRecordset(
        "SELECT tp.Codigo AS TipoPagoCodigo, tp.Tipo AS TipoPago, tp.Nombre AS TipoPagoNombre, lin.ProntoPago, "
        "lin.Cod_Proveedor AS ProvCodigo,"
        " ISNULL(prov.Nombre,'') AS ProvNombre, lin.Cta_Proveedor, ISNULL(prov.Cta_Proveedor,'') AS Cta_ProveedorFicha,"
        " lin.Cta_ProveedorPdte, ISNULL(prov.Cta_Pdte,'') AS Cta_ProveedorPdteFicha, ISNULL(p.ISOCodigo,'ES') AS Pais, "
        "ISNULL(prov.NIF,'') AS Nif,"
        " ISNULL(prov.Cont_Compras,0) AS Cont_Compras, lin.Documento, lin.DocumentoCentral, lin.Fecha, "
        "lin.IdExtractoLinea,"
        " ISNULL(SUM(rec.IdExtractoLinea),0) AS ExisteRec, lin.Importe, lin.Acreedor,"
        " lin.Importe - dbo.fn_DevPagosCenImporteVinculadoLinea(lin.IdExtractoLinea) AS ImporteDiferencia,"
        " ISNULL(ef.Documento,'') AS DocumentoFactura, ISNULL(ef.Importe,0) AS ImporteFactura,"
        " ISNULL(e.Documento,'') AS DocumentoEntrada, ISNULL(e.ImporteContable,0) AS ImporteEntrada"
        " FROM Compras_PagosCentral_Extractos_Lineas lin"
        " LEFT JOIN Proveedores prov ON prov.Cod_Empresa =" +
        co +
        " AND prov.Codigo = lin.Cod_Proveedor"
        " LEFT JOIN Compras_PagosCentral_Extractos_Lineas_Reclamacion rec ON rec.IdExtractoLinea = lin.IdExtractoLinea"
        " LEFT JOIN Compras_PagosCentral_Extractos_TiposPago tp ON tp.Codigo = lin.TipoPago"
        " LEFT JOIN Compras_PagosCentral_Entradas_Facturas pcef ON pcef.IdExtractoLinea = lin.IdExtractoLinea"
        " LEFT JOIN Entradas_Facturas ef ON ef.Cod_Empresa = pcef.Cod_Empresa AND ef.Cod_Almacen = pcef.Cod_Almacen"
        " AND ef.Proveedor = pcef.Proveedor AND ef.Documento = pcef.Documento AND ef.Fecha = pcef.Fecha"
        " LEFT JOIN Compras_PagosCentral_Entradas pce ON pce.IdExtractoLinea = lin.IdExtractoLinea"
        " LEFT JOIN Entradas e ON e.Cod_Empresa = pce.Cod_Empresa AND e.Cod_Ejercicio = pce.Cod_Ejercicio"
        " AND e.Cod_Almacen = pce.Cod_Almacen AND e.Codigo = pce.Codigo"
        " LEFT JOIN Paises p ON p.Cod_Pais = prov.Cod_Pais" +
        Filtro() +
        " AND tp.Tipo <> 'RI' AND tp.Tipo <> 'XI'"
        " GROUP BY tp.Codigo, tp.Tipo, tp.Nombre, lin.ProntoPago, lin.Cod_Proveedor, prov.Nombre, lin.Cta_Proveedor,"
        " prov.Cta_Proveedor, lin.Cta_ProveedorPdte, prov.Cta_Pdte, p.ISOCodigo, prov.NIF, prov.Cont_Compras,"
        " lin.Documento, lin.DocumentoCentral, lin.Fecha, lin.IdExtractoLinea, lin.Importe, lin.Acreedor,"
        " ef.Documento, ef.Importe, e.Documento, e.ImporteContable"
        " ORDER BY lin.Fecha, lin.Cod_Proveedor,lin.IdExtractoLinea");
    std::optional<suite::Fecha> fechaAnterior;
    long lineaAnterior = 0;
    const bool conFilas = !rs->Eof();
    if (conFilas) {
        escritor_->Empezar(EscritorAsiento::Parte::Registro);
    }
    while (!rs->Eof()) {
        const bool acreedor = rs->Fields("Acreedor").AsInt64() != 0;
        const bool reclamada = rs->Fields("ExisteRec").AsInt64() > 0;
        if (acreedor && !reclamada) {
            rs->MoveNext();
            continue;
        }
        const suite::Fecha fecha = FechaDe(rs->Fields("Fecha"));
        const long id = static_cast<long>(rs->Fields("IdExtractoLinea").AsInt64());
        const bool primeraFila = id != lineaAnterior;
        if (!fechaAnterior || fecha != *fechaAnterior) {
            if (fechaAnterior) {
                CerrarLinea();
            }
            Ejercicio(fecha.Anio());
            const long numero = escritor_->NuevoAsiento(fecha);
            if (tipoContabilidad_ != 6) {
                AnotarAsiento(numero);
            }
            total_ = suite::Moneda();
            ajuste_ = suite::Moneda();
            cuentaAnterior_.clear();
            pendienteAnterior_.clear();
            documentoAnterior_.clear();
        } else if (primeraFila) {
            CerrarLinea();
            total_ = suite::Moneda();
        }
        const long proveedor = static_cast<long>(rs->Fields("ProvCodigo").AsInt64());
        const std::string nombre = rs->Fields("ProvNombre").AsText();
        const std::string cuenta = Cuenta(rs->Fields("Cta_Proveedor").AsText(), rs->Fields("Cta_ProveedorFicha").AsText(),
                                          "Raiz_Proveedores", proveedor);
        const std::string pendiente =
            Cuenta(rs->Fields("Cta_ProveedorPdte").AsText(), rs->Fields("Cta_ProveedorPdteFicha").AsText(),
                   "Raiz_ProveedoresPendRecibir", proveedor);
        const std::string tipo = rs->Fields("TipoPago").AsText();
        const bool prontoPago = rs->Fields("ProntoPago").AsInt64() != 0;
        const std::string documento = rs->Fields("Documento").AsText();
        const suite::Moneda importe = Importe(rs->Fields("Importe"));
        suite::Moneda cantidad;
        std::string docFila;
        if (RIoXI(tipo) || (acreedor && !reclamada)) {
            cantidad = importe;
            docFila = documento;
        } else {
            cantidad = Importe(rs->Fields("ImporteEntrada"));
            docFila = rs->Fields("DocumentoEntrada").AsText();
        }
        if (prontoPago) {
            auto gasto = Linea(ctaProntoPago_, Concepto::GastoAjuste, documento, importe, {}, nombre);
            gasto.papel = ApunteAsiento::Papel::GastoProntoPago;
            escritor_->Apunte(gasto);
            Apunte(pendiente, Concepto::Proveedor, documento, {}, importe, nombre);
        } else {
            if (reclamada && primeraFila) {
                total_ += ApuntesReclamados(id, cuenta, documento);
            }
            if (!cantidad.EsCero()) {
                Apunte(pendiente, Concepto::Proveedor, docFila, cantidad, {}, nombre);
                total_ += cantidad;
            }
        }
        cuentaAnterior_ = cuenta;
        pendienteAnterior_ = pendiente;
        documentoAnterior_ = documento;
        nombreAnterior_ = nombre;
        cerrada_ = {id, rs->Fields("Pais").AsText(), rs->Fields("Nif").AsText()};
        fechaAnterior = fecha;
        lineaAnterior = id;
        if (!reclamada && !prontoPago && !acreedor && !RIoXI(tipo) && !cantidad.EsCero() && primeraFila) {
            ajuste_ += Importe(rs->Fields("ImporteDiferencia"));
        }
        rs->MoveNext();
    }
    rs->Close();
    if (fechaAnterior) {
        CerrarLinea();
    }
    if (conFilas) {
        escritor_->Terminar(EscritorAsiento::Parte::Registro);
    }
}

void AsientoFacturas::CerrarLinea() {
    if (!ajuste_.EsCero()) {
        Apunte(pendienteAnterior_, Concepto::ProveedorAjuste, documentoAnterior_, ajuste_, {}, nombreAnterior_);
        Apunte(pendienteAnterior_, Concepto::ProveedorAjuste, documentoAnterior_, {}, ajuste_, nombreAnterior_);
        Apunte(ctaAjuste_, Concepto::GastoAjuste, documentoAnterior_, ajuste_, {}, nombreAnterior_);
        total_ += ajuste_;
        ajuste_ = suite::Moneda();
    }
    if (!total_.EsCero()) {
        escritor_->CerrarLinea(
            Linea(cuentaAnterior_, Concepto::Proveedor, documentoAnterior_, {}, total_, nombreAnterior_), cerrada_);
    }
}

bool AsientoFacturas::SinAsientoResumen() {
    if (tipoContabilidad_ != 1) {
        return false;
    }
    std::string lista = ListaCodigos(Ctx().empresaVarnex->Parametro("PagoCentral_TPNoGenAsientoResum").ToText());
    if (lista.empty()) {
        return false;
    }
    auto rs = erp_.OpenRecordset("SELECT COUNT(*) AS Existe"
                                 " FROM Compras_PagosCentral_Extractos_Lineas lin"
                                 " LEFT JOIN Compras_PagosCentral_Extractos_TiposPago tp ON tp.Codigo = lin.TipoPago"
                                 " LEFT JOIN Proveedores prov ON prov.Cod_Empresa =" +
                                 Empresa() + " AND prov.Codigo = lin.Cod_Proveedor" + " LEFT JOIN " +
                                 empresa_->Parametro("ODBCBaseDatos").ToText() +
                                 ".dbo.Cuentas cue ON cue.Cod_Empresa =" + std::to_string(empresa_->Codigo()) +
                                 " AND cue.Cod_Ejercicio =" + std::to_string(empresa_->Ejercicio()) +
                                 " AND cue.Cuenta = lin.Cta_Proveedor" + Filtro() + " AND tp.Codigo IN (" + lista + ")");
    return rs->Fields(0).AsInt64() > 0;
}

void AsientoFacturas::Pago(const suite::Fecha &fecha) {
    Ejercicio(fecha.Anio());
    const std::string contrapartida = empresa_->Parametro("Cuenta_PagoCent_Contrapartida").ToText();
    if (SinAsientoResumen()) {
        return;
    }
    escritor_->Empezar(EscritorAsiento::Parte::Pago);
    const long numero = escritor_->NuevoAsiento(fecha);
    if (tipoContabilidad_ != 6) {
        AnotarAsiento(numero, "\rAsiento del Extracto: \r");
    }
    const std::string inicioSII = empresa_->Parametro("Conta_SII_FechaInicio").ToText();
    const auto desde = suite::Fecha::Parse(inicioSII);
    const bool sii = desde && empresa_->Parametro("Conta_SII_FR_Activado").ToBool();
    const std::string base = empresa_->Parametro("ODBCBaseDatos").ToText();
    auto rs = erp_.OpenRecordset(
        "SELECT tp.Tipo AS TipoPago, lin.Cod_Proveedor AS ProvCodigo, ISNULL(prov.Nombre,'') AS ProvNombre, "
        "ISNULL(prov.NIF,'') AS Nif, ISNULL(prov.F_Razon,ISNULL(prov.Nombre,'')) AS RazonSocial,"
        " lin.Cta_Proveedor, ISNULL(prov.Cta_Proveedor,'') AS Cta_ProveedorFicha, lin.Cta_ProveedorPdte, "
        "ISNULL(prov.Cta_Pdte,'') AS Cta_ProveedorPdteFicha,"
        " lin.Documento , lin.IdExtractoLinea, lin.Importe, lin.Fecha, lin.Documento, lin.ProntoPago,"
        " ISNULL(cue.Nif,'') AS NifConta, ISNULL(cue.F_Razon,'') AS RazonConta"
        " FROM Compras_PagosCentral_Extractos_Lineas lin"
        " LEFT JOIN Compras_PagosCentral_Extractos_TiposPago tp ON tp.Codigo = lin.TipoPago"
        " LEFT JOIN Proveedores prov ON prov.Cod_Empresa =" +
        Empresa() + " AND prov.Codigo = lin.Cod_Proveedor" + " LEFT JOIN " + base + ".dbo.Cuentas cue ON cue.Cod_Empresa =" + std::to_string(empresa_->Codigo()) +
        " AND cue.Cod_Ejercicio =" + std::to_string(empresa_->Ejercicio()) + " AND cue.Cuenta = lin.Cta_Proveedor" +
        Filtro() + " ORDER BY lin.Cod_Proveedor");
    suite::Moneda total;
    while (!rs->Eof()) {
        const long proveedor = static_cast<long>(rs->Fields("ProvCodigo").AsInt64());
        const bool prontoPago = rs->Fields("ProntoPago").AsInt64() != 0;
        const std::string cuenta =
            prontoPago ? Cuenta(rs->Fields("Cta_ProveedorPdte").AsText(), rs->Fields("Cta_ProveedorPdteFicha").AsText(),
                                "Raiz_ProveedoresPendRecibir", proveedor)
                       : Cuenta(rs->Fields("Cta_Proveedor").AsText(), rs->Fields("Cta_ProveedorFicha").AsText(),
                                "Raiz_Proveedores", proveedor);
        const std::string documento = rs->Fields("Documento").AsText();
        const suite::Moneda importe = Importe(rs->Fields("Importe"));
        const suite::Fecha fechaLinea = FechaDe(rs->Fields("Fecha"));
        int linea = Apunte(cuenta, Concepto::Proveedor, documento, importe, {}, rs->Fields("ProvNombre").AsText());
        total += importe;
        if (sii && fechaLinea >= *desde && !prontoPago && !RIoXI(rs->Fields("TipoPago").AsText())) {
            FacturaRecibida f;
            std::string nifConta = rs->Fields("NifConta").AsText(), razonConta = rs->Fields("RazonConta").AsText();
            f.nif = nifConta.empty() ? rs->Fields("Nif").AsText() : nifConta;
            f.nombre = razonConta.empty() ? rs->Fields("RazonSocial").AsText() : razonConta;
            f.fecha = fechaLinea;
            f.documento = documento;
            f.importe = importe;
            auto imp = erp_.OpenRecordset("SELECT Base, Valor_Tipo, Importe, Tipo"
                                          " FROM Compras_PagosCentral_Extractos_Lineas_Impuestos"
                                          " WHERE IdExtractoLinea =" +
                                          std::to_string(rs->Fields("IdExtractoLinea").AsInt64()));
            while (!imp->Eof()) {
                f.impuestos.push_back({Importe(imp->Fields(0)), Importe(imp->Fields(1)), Importe(imp->Fields(2)),
                                       static_cast<int>(imp->Fields(3).AsInt64())});
                imp->MoveNext();
            }
            escritor_->Registro(f, cuenta, linea);
        }
        rs->MoveNext();
    }
    rs->Close();
    Apunte(contrapartida, Concepto::Contrapartida, extracto_, {}, total);
    escritor_->Terminar(EscritorAsiento::Parte::Pago);
}

} // namespace accounting
