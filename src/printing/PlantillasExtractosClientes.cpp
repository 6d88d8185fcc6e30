#include "printing/Plantilla.h"

namespace printing {

namespace {

const char *kDetallado = R"(; Extractos Clientes Facturas Pendientes Cobro: the detailed customer statement listing.
; Measures in twips. "{Name}" prints a value of the item being printed or of the items above it;
; a section with "Grupo" prints once per customer, statement, invoice or tax row.
[Papel]
Tamano = A4
Ancho = 11906
Alto = 16838
MargenIzquierdo = 567
MargenDerecho = 567
MargenSuperior = 567
MargenInferior = 567

[Seccion PageHeaderSection2]
Alto = 1380

[Seccion PageHeaderSection1]
Alto = 330
Fuente = Arial, 8, negrita

[Seccion GroupHeaderSection1]
Alto = 320
Grupo = Cliente
Fuente = Arial, 8, negrita

[Seccion GroupHeaderSection2]
Alto = 260
Grupo = Extracto

[Seccion DetailSection1]
Alto = 230
Grupo = Linea

[Seccion DetailSection2]
Alto = 200
Grupo = Impuesto

[Seccion GroupFooterSection2]
Alto = 340
Grupo = Extracto
Fuente = Arial, 8, negrita

[Seccion GroupFooterSection1]
Alto = 400
Grupo = Cliente
Fuente = Arial, 8, negrita

[Seccion ReportFooterSection1]
Alto = 420
Fuente = Arial, 8, negrita

[Objeto Box1]
Seccion = PageHeaderSection2
Tipo = Caja
X = 0
Y = 0
Ancho = *
Alto = 1260

[Objeto txtEmpresa]
Seccion = PageHeaderSection2
Tipo = Texto
Texto = {Empresa}
X = 100
Y = 90
Ancho = 7200
Alto = 260
Fuente = Arial, 9, negrita

[Objeto txtTitulo]
Seccion = PageHeaderSection2
Tipo = Texto
Texto = {Titulo}
X = 100
Y = 380
Ancho = 7200
Alto = 320
Fuente = Arial, 12, negrita

[Objeto txtFechas]
Seccion = PageHeaderSection2
Tipo = Texto
Texto = {Fechas}
X = 100
Y = 720
Ancho = 7200
Alto = 220
Fuente = Arial, 8

[Objeto txtClientes]
Seccion = PageHeaderSection2
Tipo = Texto
Texto = {ClienteInicial}     {ClienteFinal}     Estado: {EstadoListado}
X = 100
Y = 960
Ancho = 7200
Alto = 220
Fuente = Arial, 8

[Objeto forFecha]
Seccion = PageHeaderSection2
Tipo = Formula
Texto = Fecha
X = 8600
Y = 90
Ancho = 2000
Alto = 260
Fuente = Arial, 8
Alineacion = Derecha

[Objeto forPagina]
Seccion = PageHeaderSection2
Tipo = Formula
Texto = Pagina
X = 8600
Y = 380
Ancho = 2000
Alto = 260
Fuente = Arial, 8
Alineacion = Derecha

[Objeto hdrProveedor]
Seccion = PageHeaderSection1
Tipo = Texto
Texto = Proveedor
X = 300
Y = 40
Ancho = 3700
Alto = 260
Fuente = Arial, 8, negrita

[Objeto hdrDocumento]
Seccion = PageHeaderSection1
Tipo = Texto
Texto = Documento
X = 4100
Y = 40
Ancho = 1550
Alto = 260
Fuente = Arial, 8, negrita

[Objeto hdrFechaFactura]
Seccion = PageHeaderSection1
Tipo = Texto
Texto = Fecha Factura
X = 5700
Y = 40
Ancho = 1450
Alto = 260
Fuente = Arial, 8, negrita

[Objeto hdrObservaciones]
Seccion = PageHeaderSection1
Tipo = Texto
Texto = Observaciones
X = 7200
Y = 40
Ancho = 1900
Alto = 260
Fuente = Arial, 8, negrita

[Objeto hdrImporte]
Seccion = PageHeaderSection1
Tipo = Texto
Texto = Importe
X = 9200
Y = 40
Ancho = 1500
Alto = 260
Fuente = Arial, 8, negrita
Alineacion = Derecha

[Objeto linCabecera]
Seccion = PageHeaderSection1
Tipo = Linea
X = 0
Y = 300
Ancho = *

[Objeto txtCliente]
Seccion = GroupHeaderSection1
Tipo = Texto
Texto = Cliente: {Cliente} - {NombreCliente}
X = 0
Y = 60
Ancho = 8000
Alto = 240
Fuente = Arial, 9, negrita

[Objeto txtExtracto]
Seccion = GroupHeaderSection2
Tipo = Texto
Texto = Extracto de {FechaCobro}     Contabilizar: {FechaContabilizar}     {Estado}
X = 150
Y = 20
Ancho = 9000
Alto = 220
Fuente = Arial, 8, negrita

[Objeto fldProveedor]
Seccion = DetailSection1
Tipo = Texto
Texto = {Proveedor}
X = 300
Y = 10
Ancho = 3700
Alto = 210
Fuente = Arial, 8

[Objeto fldDocumento]
Seccion = DetailSection1
Tipo = Texto
Texto = {Documento}
X = 4100
Y = 10
Ancho = 1550
Alto = 210
Fuente = Arial, 8

[Objeto fldFechaFactura]
Seccion = DetailSection1
Tipo = Texto
Texto = {FechaFactura}
X = 5700
Y = 10
Ancho = 1450
Alto = 210
Fuente = Arial, 8

[Objeto fldObservaciones]
Seccion = DetailSection1
Tipo = Texto
Texto = {Observaciones}
X = 7200
Y = 10
Ancho = 1900
Alto = 210
Fuente = Arial, 8

[Objeto fldImporte]
Seccion = DetailSection1
Tipo = Texto
Texto = {Importe}
X = 9200
Y = 10
Ancho = 1500
Alto = 210
Fuente = Arial, 8
Alineacion = Derecha

[Objeto fldBase]
Seccion = DetailSection2
Tipo = Texto
Texto = Base {Base}
X = 4100
Y = 10
Ancho = 1700
Alto = 190
Fuente = Arial, 7
Alineacion = Derecha

[Objeto fldTipo]
Seccion = DetailSection2
Tipo = Texto
Texto = {Tipo} %
X = 5900
Y = 10
Ancho = 1200
Alto = 190
Fuente = Arial, 7
Alineacion = Derecha

[Objeto fldCuota]
Seccion = DetailSection2
Tipo = Texto
Texto = Cuota {Cuota}
X = 7200
Y = 10
Ancho = 1900
Alto = 190
Fuente = Arial, 7
Alineacion = Derecha

[Objeto linExtracto]
Seccion = GroupFooterSection2
Tipo = Linea
X = 7200
Y = 30
Ancho = 3500

[Objeto txtTotalExtracto]
Seccion = GroupFooterSection2
Tipo = Texto
Texto = Total extracto {FechaCobro} ({Lineas} facturas)
X = 300
Y = 60
Ancho = 6800
Alto = 240
Fuente = Arial, 8, negrita

[Objeto fldTotalExtracto]
Seccion = GroupFooterSection2
Tipo = Texto
Texto = {TotalExtracto}
X = 7200
Y = 60
Ancho = 3500
Alto = 240
Fuente = Arial, 8, negrita
Alineacion = Derecha

[Objeto txtTotalCliente]
Seccion = GroupFooterSection1
Tipo = Texto
Texto = Total cliente {Cliente} - {NombreCliente}
X = 0
Y = 60
Ancho = 7000
Alto = 260
Fuente = Arial, 9, negrita

[Objeto fldTotalCliente]
Seccion = GroupFooterSection1
Tipo = Texto
Texto = {TotalCliente}
X = 7200
Y = 60
Ancho = 3500
Alto = 260
Fuente = Arial, 9, negrita
Alineacion = Derecha

[Objeto linTotales]
Seccion = ReportFooterSection1
Tipo = Linea
X = 0
Y = 60
Ancho = *

[Objeto txtTotalGeneral]
Seccion = ReportFooterSection1
Tipo = Texto
Texto = Total general ({Extractos} extractos)
X = 0
Y = 120
Ancho = 7000
Alto = 260
Fuente = Arial, 9, negrita

[Objeto fldTotalGeneral]
Seccion = ReportFooterSection1
Tipo = Texto
Texto = {TotalGeneral}
X = 7200
Y = 120
Ancho = 3500
Alto = 260
Fuente = Arial, 9, negrita
Alineacion = Derecha
)";

const char *kResumido = R"(; Extractos Clientes Facturas Pendientes Cobro Resumido: one line per customer statement.
; Measures in twips. "{Name}" prints a value of the item being printed or of the items above it;
; a section with "Grupo" prints once per customer or statement.
[Papel]
Tamano = A4
Ancho = 11906
Alto = 16838
MargenIzquierdo = 567
MargenDerecho = 567
MargenSuperior = 567
MargenInferior = 567

[Seccion PageHeaderSection2]
Alto = 1380

[Seccion PageHeaderSection1]
Alto = 330
Fuente = Arial, 8, negrita

[Seccion DetailSection1]
Alto = 230
Grupo = Extracto

[Seccion GroupFooterSection1]
Alto = 400
Grupo = Cliente
Fuente = Arial, 8, negrita

[Seccion ReportFooterSection1]
Alto = 420
Fuente = Arial, 8, negrita

[Objeto Box1]
Seccion = PageHeaderSection2
Tipo = Caja
X = 0
Y = 0
Ancho = *
Alto = 1260

[Objeto txtEmpresa]
Seccion = PageHeaderSection2
Tipo = Texto
Texto = {Empresa}
X = 100
Y = 90
Ancho = 7200
Alto = 260
Fuente = Arial, 9, negrita

[Objeto txtTitulo]
Seccion = PageHeaderSection2
Tipo = Texto
Texto = {Titulo}
X = 100
Y = 380
Ancho = 7200
Alto = 320
Fuente = Arial, 12, negrita

[Objeto txtFechas]
Seccion = PageHeaderSection2
Tipo = Texto
Texto = {Fechas}
X = 100
Y = 720
Ancho = 7200
Alto = 220
Fuente = Arial, 8

[Objeto txtClientes]
Seccion = PageHeaderSection2
Tipo = Texto
Texto = {ClienteInicial}     {ClienteFinal}     Estado: {EstadoListado}
X = 100
Y = 960
Ancho = 7200
Alto = 220
Fuente = Arial, 8

[Objeto forFecha]
Seccion = PageHeaderSection2
Tipo = Formula
Texto = Fecha
X = 8600
Y = 90
Ancho = 2000
Alto = 260
Fuente = Arial, 8
Alineacion = Derecha

[Objeto forPagina]
Seccion = PageHeaderSection2
Tipo = Formula
Texto = Pagina
X = 8600
Y = 380
Ancho = 2000
Alto = 260
Fuente = Arial, 8
Alineacion = Derecha

[Objeto hdrCliente]
Seccion = PageHeaderSection1
Tipo = Texto
Texto = Cliente
X = 0
Y = 40
Ancho = 850
Alto = 260
Fuente = Arial, 8, negrita
Alineacion = Derecha

[Objeto hdrNombre]
Seccion = PageHeaderSection1
Tipo = Texto
Texto = Nombre
X = 950
Y = 40
Ancho = 3450
Alto = 260
Fuente = Arial, 8, negrita

[Objeto hdrFechaCobro]
Seccion = PageHeaderSection1
Tipo = Texto
Texto = Fecha Cobro
X = 4500
Y = 40
Ancho = 1200
Alto = 260
Fuente = Arial, 8, negrita

[Objeto hdrFechaCont]
Seccion = PageHeaderSection1
Tipo = Texto
Texto = Fecha Cont.
X = 5800
Y = 40
Ancho = 1200
Alto = 260
Fuente = Arial, 8, negrita

[Objeto hdrEstado]
Seccion = PageHeaderSection1
Tipo = Texto
Texto = Estado
X = 7100
Y = 40
Ancho = 900
Alto = 260
Fuente = Arial, 8, negrita

[Objeto hdrLineas]
Seccion = PageHeaderSection1
Tipo = Texto
Texto = Facturas
X = 8000
Y = 40
Ancho = 950
Alto = 260
Fuente = Arial, 8, negrita
Alineacion = Derecha

[Objeto hdrImporte]
Seccion = PageHeaderSection1
Tipo = Texto
Texto = Importe
X = 9000
Y = 40
Ancho = 1700
Alto = 260
Fuente = Arial, 8, negrita
Alineacion = Derecha

[Objeto linCabecera]
Seccion = PageHeaderSection1
Tipo = Linea
X = 0
Y = 300
Ancho = *

[Objeto fldCliente]
Seccion = DetailSection1
Tipo = Texto
Texto = {Cliente}
X = 0
Y = 10
Ancho = 850
Alto = 210
Fuente = Arial, 8
Alineacion = Derecha

[Objeto fldNombre]
Seccion = DetailSection1
Tipo = Texto
Texto = {NombreCliente}
X = 950
Y = 10
Ancho = 3450
Alto = 210
Fuente = Arial, 8

[Objeto fldFechaCobro]
Seccion = DetailSection1
Tipo = Texto
Texto = {FechaCobro}
X = 4500
Y = 10
Ancho = 1200
Alto = 210
Fuente = Arial, 8

[Objeto fldFechaCont]
Seccion = DetailSection1
Tipo = Texto
Texto = {FechaContabilizar}
X = 5800
Y = 10
Ancho = 1200
Alto = 210
Fuente = Arial, 8

[Objeto fldEstado]
Seccion = DetailSection1
Tipo = Texto
Texto = {Estado}
X = 7100
Y = 10
Ancho = 900
Alto = 210
Fuente = Arial, 8

[Objeto fldLineas]
Seccion = DetailSection1
Tipo = Texto
Texto = {Lineas}
X = 8000
Y = 10
Ancho = 950
Alto = 210
Fuente = Arial, 8
Alineacion = Derecha

[Objeto fldImporte]
Seccion = DetailSection1
Tipo = Texto
Texto = {TotalExtracto}
X = 9000
Y = 10
Ancho = 1700
Alto = 210
Fuente = Arial, 8
Alineacion = Derecha

[Objeto linCliente]
Seccion = GroupFooterSection1
Tipo = Linea
X = 7100
Y = 30
Ancho = 3600

[Objeto txtTotalCliente]
Seccion = GroupFooterSection1
Tipo = Texto
Texto = Total cliente {Cliente} - {NombreCliente}
X = 800
Y = 60
Ancho = 6200
Alto = 260
Fuente = Arial, 8, negrita

[Objeto fldTotalCliente]
Seccion = GroupFooterSection1
Tipo = Texto
Texto = {TotalCliente}
X = 7100
Y = 60
Ancho = 3600
Alto = 260
Fuente = Arial, 8, negrita
Alineacion = Derecha

[Objeto linTotales]
Seccion = ReportFooterSection1
Tipo = Linea
X = 0
Y = 60
Ancho = *

[Objeto txtTotalGeneral]
Seccion = ReportFooterSection1
Tipo = Texto
Texto = Total general ({Extractos} extractos)
X = 0
Y = 120
Ancho = 7000
Alto = 260
Fuente = Arial, 9, negrita

[Objeto fldTotalGeneral]
Seccion = ReportFooterSection1
Tipo = Texto
Texto = {TotalGeneral}
X = 7100
Y = 120
Ancho = 3600
Alto = 260
Fuente = Arial, 9, negrita
Alineacion = Derecha
)";

} // namespace

const char *TextoExtractosClientes(bool resumido) { return resumido ? kResumido : kDetallado; }

} // namespace printing
