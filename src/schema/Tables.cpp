#include "schema/Tables.h"

namespace schema {

const std::vector<Table> &ErpTables() {
    static const std::vector<Table> tables = {
        // The module's own tables.
        {"Compras_PagosCentral_Extractos",
         "Cod_Empresa:I, Cod_Almacen:I, Cod_Extracto:S30, FechaExtracto:D, FechaVto:D, Cerrado:F",
         "Cod_Empresa, Cod_Almacen, Cod_Extracto",
         {"Cod_Empresa, FechaExtracto"}},
        {"Compras_PagosCentral_Extractos_Lineas",
         "IdExtractoLinea:K, Cod_Empresa:I, Cod_Almacen:I, Cod_Extracto:S30, Cod_Proveedor:I, "
         "Cod_ProveedorCentral:I, DocumentoCentral:S50, Documento:S50, Fecha:D, Importe:M, TipoPago:I, "
         "Id_Relacion:I, Cta_Proveedor:S20, Cta_ProveedorPdte:S20, Acreedor:F, ProntoPago:F, ImporteVinculado:M, "
         "NoPago:F, Nueva_FechaVto:D, Emisor:I, TipoFactura:I, Obs1:S255, Obs2:S255, Obs3:S255, Obs4:S255",
         "",
         // The statement key; the matching's duplicate search (across warehouses, by supplier, date
         // and the document's last four characters, so that many lines of one supplier and day
         // are not compared pair by pair); the tax file's look-up by central supplier and document.
         {"Cod_Empresa, Cod_Almacen, Cod_Extracto", "Cod_Empresa, Cod_Extracto, Cod_Proveedor, Fecha, @Ultimos4",
          "Cod_ProveedorCentral, Documento"}},
        {"Compras_PagosCentral_Extractos_Lineas_Impuestos",
         "IdExtractoLinea:I, Base:M, Valor_Tipo:M, Importe:M, Tipo:I",
         "",
         {"IdExtractoLinea"}},
        {"Compras_PagosCentral_PrevPagos",
         "IdExtractoLinea:I, IdPrevPago:I, Contabilizado:F, Importe:M",
         "",
         {"IdExtractoLinea", "IdPrevPago"}},
        {"Compras_PagosCentral_Entradas",
         "IdExtractoLinea:I, Cod_Empresa:I, Cod_Ejercicio:I, Cod_Almacen:I, Codigo:I, Contabilizado:F",
         "",
         {"IdExtractoLinea", "Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo"}},
        {"Compras_PagosCentral_Entradas_Facturas",
         "IdExtractoLinea:I, Cod_Empresa:I, Cod_Almacen:I, Proveedor:I, Documento:S50, Fecha:D, Contabilizado:F",
         "",
         {"IdExtractoLinea", "Cod_Empresa, Proveedor, Cod_Almacen, Documento, Fecha"}},
        {"Compras_PagosCentral_Extractos_TiposPago", "Codigo:I, Nombre:S60, Tipo:S10", "Codigo", {"Tipo"}},
        {"Compras_PagosCentral_Extractos_Lineas_Reclamacion",
         "IdReclamacion:K, IdExtractoLinea:I, Cod_TipoRecl:I, Cod_Concepto:I, FacturaCodigo:S50, FacturaFecha:D, "
         "AlbaranCodigo:S50, AlbaranFecha:D, ArticulosCodigo:T, ArticulosDescripcion:T, Base1:N, Base2:N, Base3:N, "
         "Base4:N, Base5:N, Igic1:I, Igic2:I, Igic3:I, Igic4:I, Igic5:I, CantidadReclamado:N, TotalReclamacion:M, "
         "PeriodoVigencia:S100, FacturaCodigoDuplicado:S50, FechaVtoDuplicado:D, Observaciones:T, Exportado:F, "
         "Hora_Alta:H",
         "",
         {"IdExtractoLinea", "Hora_Alta"}},
        {"Compras_PagosCentral_Reclamacion_Tipos", "Codigo:I, Nombre:S100, Tipo:S10", "Codigo", {}},
        {"Compras_PagosCentral_Reclamacion_Conceptos", "Codigo:I, Nombre:S100", "Codigo", {}},
        {"Clientes_PagosCentral_Extractos",
         "Cod_Empresa:I, Cod_Cliente:I, FechaCobro:D, FechaContabilizar:D, Hora:D, Cerrado:F",
         "Cod_Empresa, Cod_Cliente, FechaCobro",
         {}},
        {"Clientes_PagosCentral_Extractos_Lineas",
         "IdExtractoLinea:K, Cod_Empresa:I, Cod_Cliente:I, FechaCobro:D, Cod_Proveedor:I, Documento:S50, "
         "FechaFactura:D, Importe:M, Observaciones:S255, Cod_Atipico:I, AtipicosPorcentaje:N",
         "",
         {"Cod_Empresa, Cod_Cliente, FechaCobro"}},
        {"Clientes_PagosCentral_Extractos_Lineas_Impuestos",
         "IdExtractoLinea:I, Base:M, Valor_Tipo:M, Importe:M",
         "",
         {"IdExtractoLinea"}},

        // Suite master tables the module reads.
        {"Proveedores",
         "Cod_Empresa:I, Codigo:I, Nombre:S100, F_Razon:S100, NIF:S20, Cod_Pais:I, Cta_Proveedor:S20, Cta_Pdte:S20, "
         "Cont_Compras:F, PagoCentralDifCur:M, PagoCentralDifPor:N, Cta_DeudaCortoPlazo:S20, Cod_FPago:I, "
         "CtaBancoPago:S20, DiaPago_1:I, DiaPago_2:I",
         "Cod_Empresa, Codigo",
         {"Cod_Empresa, Cta_Proveedor"}},
        {"Proveedores_GLN", "Cod_Empresa:I, Cod_Prov:I, GLN:S20, Principal:F", "Cod_Empresa, GLN",
         {"Cod_Empresa, Cod_Prov"}},
        {"Almacenes",
         "Cod_Empresa:I, Codigo:I, Nombre:S100, Cod_AlmacenCentral:I, Cod_Sociedad:S20, EmpContable:I, "
         "CtaPagoAjuste:S20, CtaGastosProntoPago:S20, RegimenEspecial:F",
         "Cod_Empresa, Codigo",
         {"Cod_Empresa, Cod_AlmacenCentral"}},
        {"Entradas",
         "Cod_Empresa:I, Cod_Ejercicio:I, Cod_Almacen:I, Codigo:I, Proveedor:I, Documento:S50, Fecha:D, "
         "ImporteContable:M, Usuario:I, Hora:D",
         "Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo",
         {"Cod_Empresa, Proveedor, Fecha"}},
        {"Entradas_Facturas",
         "Cod_Empresa:I, Cod_Ejercicio:I, Cod_Almacen:I, Codigo:I, Proveedor:I, Documento:S50, Fecha:D, Importe:M, "
         "ImporteContable:M, Asiento:I, Usuario:I, Hora:D",
         "Cod_Empresa, Cod_Almacen, Proveedor, Documento, Fecha",
         {"Cod_Empresa, Proveedor, Fecha"}},
        {"Igic_Tipos",
         "Cod_Empresa:I, ID:I, Tipo:I, Nombre:S60, Imp_Valor:M, Imp_ValorRegimen:M, FechaI:D, FechaF:D",
         "Cod_Empresa, ID",
         {"Cod_Empresa, Tipo, FechaI"}},
        {"Igic_Tipos_Externo", "ID:I, Cod_AppExportar:I, Cod_Externo:S20", "ID, Cod_AppExportar", {}},
        {"Paises", "Cod_Pais:I, ISOCodigo:S3, Nombre:S60", "Cod_Pais", {}},
        {"Arqueos_ParamContabilidad", "Cod_Empresa:I, PathFicheros:S255", "Cod_Empresa", {}},
        {"Contador_SAGE200", "Cod_Empresa:I, Cod_Ejercicio:I, Serie:S10, Codigo:I", "Cod_Empresa, Cod_Ejercicio, Serie",
         {}},
        {"Clientes", "Cod_Empresa:I, Codigo:I, Nombre:S100, NIF:S20, Cta_DepositoCortoPlazo:S20", "Cod_Empresa, Codigo",
         {}},
        {"Proveedores_Atipicos",
         "Cod_Empresa:I, Cod_Proveedor:I, FechaI:D, FechaF:D, TipoAplicacion:I, Porcentaje:N",
         "",
         {"Cod_Empresa, Cod_Proveedor"}},
        {"Empresas",
         "Codigo:I, Nombre:S100, NIF:S20, FormaPago:I, DiaPago_1:I, DiaPago_2:I, CtaBancoPago:S20, "
         "DecimalesImporte:I, RaizCuentaProveedor:I, PathAplicacion:S255",
         "Codigo",
         {}},
        {"SGD_usuarios", "Codigo:I, Nombre:S100", "Codigo", {}},

        // What the suite's company objects read.
        {"Empresas_Parametros", "Cod_Empresa:I, Nombre:S100, Valor:S255", "Cod_Empresa, Nombre", {}},
        {"Ejercicios", "Cod_Empresa:I, Codigo:I, FechaI:D, FechaF:D, Cerrado:F", "Cod_Empresa, Codigo", {}},
    };
    return tables;
}

const std::vector<Table> &AccountingTables() {
    static const std::vector<Table> tables = {
        {"Previsiones_Pago",
         "Apunte:K, Cod_Empresa:I, Cuenta:S20, Documento:S50, Documento2:S50, Fecha_Doc:D, Fecha_Vto:D, Importe:M, "
         "Estado:F, FormaPago:I, Asiento:I, Cod_Ejercicio:I, AsientoPago:I, CuentaContrapartida:S20, TipoDoc:I, "
         "CuentaBanco:S20",
         "",
         {"Cod_Empresa, Cuenta, Estado", "Importe", "Fecha_Vto"}},
        {"Cuentas", "Cod_Empresa:I, Cod_Ejercicio:I, Cuenta:S20, Nombre:S100, Nif:S20, F_Razon:S100",
         "Cod_Empresa, Cod_Ejercicio, Cuenta",
         {"Cuenta"}},
        {"Formas_Pago",
         "Codigo:I, Nombre:S60, TipoDoc:I, GenerarPrev:F, PrimerVto:I, NroVtos:I, RestoVtos:I",
         "Codigo",
         {}},
        {"Tipos_Doc", "Codigo:I, Nombre:S60", "Codigo", {}},

        // The accounting library's own records.
        {"Empresas", "Codigo:I, Nombre:S100, NIF:S20, LongitudCuenta:I", "Codigo", {}},
        {"Parametros", "Cod_Empresa:I, Nombre:S100, Valor:S255", "Cod_Empresa, Nombre", {}},
        {"Ejercicios", "Cod_Empresa:I, Codigo:I, FechaI:D, FechaF:D, Cerrado:F", "Cod_Empresa, Codigo", {}},
        {"Conceptos", "Cod_Empresa:I, Codigo:I, Nombre:S100", "Cod_Empresa, Codigo", {}},
        {"Contadores", "Cod_Empresa:I, Cod_Ejercicio:I, Nombre:S50, Valor:I", "Cod_Empresa, Cod_Ejercicio, Nombre",
         {}},
        {"Asientos",
         "Cod_Empresa:I, Cod_Ejercicio:I, Asiento:I, Fecha:D, Concepto:S100, Usuario:I",
         "Cod_Empresa, Cod_Ejercicio, Asiento",
         {}},
        {"Apuntes",
         "Cod_Empresa:I, Cod_Ejercicio:I, Asiento:I, Linea:I, Fecha:D, FechaValor:D, Cuenta:S20, Contrapartida:S20, "
         "Concepto:I, ConceptoTexto:S255, Documento:S50, Tipo:I, Almacen:I, Debe:M, Haber:M",
         "Cod_Empresa, Cod_Ejercicio, Asiento, Linea",
         {"Cod_Empresa, Cod_Ejercicio, Cuenta"}},
        {"Registro_Facturas_Recibidas",
         "Id:K, Cod_Empresa:I, Cod_Ejercicio:I, Asiento:I, Linea:I, Cuenta:S20, Nif:S20, Nombre:S100, Pais:S3, "
         "Documento:S50, FechaFactura:D, FechaRegistro:D, Base:M, Cuota:M, Total:M",
         "",
         {"Cod_Empresa, Cod_Ejercicio, Asiento"}},
        {"Registro_Facturas_Recibidas_Impuestos", "IdRegistro:I, Base:M, Valor_Tipo:M, Cuota:M, Tipo:I", "",
         {"IdRegistro"}},

        // Ours: the statements accounted here and their entries, written with them.
        {"PagosCentral_ExtractosContabilizados",
         "Cod_Empresa:I, Origen:S20, Clave:S80, PrimeraLinea:I, Asientos:T",
         "Cod_Empresa, Origen, Clave",
         {}},
    };
    return tables;
}

} // namespace schema
