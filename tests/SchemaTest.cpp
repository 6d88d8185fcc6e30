#include "db/OpenFile.h"
#include "db/DbError.h"
#include "db/sqlite/SqliteConnection.h"
#include "fixtures/TempDir.h"
#include "schema/Schema.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class Schema : public ::testing::Test {
  protected:
    void Create(bool demo, const std::string &today = "2026-03-15") {
        auto acc = schema::AccountingDdlSqlite();
        auto erpDdl = schema::ErpDdlSqlite();
        if (demo) {
            auto a = schema::DemoSeedAccounting(schema::Dialect::Sqlite, today);
            acc.insert(acc.end(), a.begin(), a.end());
            auto e = schema::DemoSeedErp(schema::Dialect::Sqlite, today);
            erpDdl.insert(erpDdl.end(), e.begin(), e.end());
        }
        db::RunSqliteScript(dir.File("conta.db"), acc);
        db::RunSqliteScript(dir.File("erp.db"), erpDdl);
        erp = db::OpenDatabaseFile(dir.File("erp.db"), {{"Contabilidad", dir.File("conta.db")}});
    }
    std::string One(const std::string &sql) {
        auto rs = erp->OpenRecordset(sql);
        return rs->Eof() ? "<none>" : rs->Fields(0).AsText();
    }
    long Count(const std::string &from) { return std::stol(One("SELECT COUNT(*) FROM " + from)); }

    TempDir dir;
    db::ConnectionPtr erp;
};

TEST_F(Schema, EveryColumnTheModuleReadsExists) {
    Create(false);
    const std::vector<std::pair<std::string, std::string>> used = {
        {"Compras_PagosCentral_Extractos", "Cod_Empresa, Cod_Almacen, Cod_Extracto, FechaExtracto, FechaVto, Cerrado"},
        {"Compras_PagosCentral_Extractos_Lineas",
         "IdExtractoLinea, Cod_Empresa, Cod_Almacen, Cod_Extracto, Cod_Proveedor, Cod_ProveedorCentral, "
         "DocumentoCentral, Documento, Fecha, Importe, TipoPago, Id_Relacion, Cta_Proveedor, Cta_ProveedorPdte, "
         "Acreedor, ProntoPago, ImporteVinculado, NoPago, Nueva_FechaVto, Emisor, TipoFactura, Obs1, Obs2, Obs3, Obs4"},
        {"Compras_PagosCentral_Extractos_Lineas_Impuestos", "IdExtractoLinea, Base, Valor_Tipo, Importe, Tipo"},
        {"Compras_PagosCentral_PrevPagos", "IdExtractoLinea, IdPrevPago, Contabilizado, Importe"},
        {"Compras_PagosCentral_Entradas", "IdExtractoLinea, Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo, Contabilizado"},
        {"Compras_PagosCentral_Entradas_Facturas",
         "IdExtractoLinea, Cod_Empresa, Cod_Almacen, Proveedor, Documento, Fecha, Contabilizado"},
        {"Compras_PagosCentral_Extractos_TiposPago", "Codigo, Nombre, Tipo"},
        {"Compras_PagosCentral_Extractos_Lineas_Reclamacion",
         "IdReclamacion, IdExtractoLinea, Cod_TipoRecl, Cod_Concepto, FacturaCodigo, FacturaFecha, AlbaranCodigo, "
         "AlbaranFecha, ArticulosCodigo, ArticulosDescripcion, Base1, Base5, Igic1, Igic5, CantidadReclamado, "
         "TotalReclamacion, PeriodoVigencia, FacturaCodigoDuplicado, FechaVtoDuplicado, Observaciones, Exportado, "
         "Hora_Alta"},
        {"Compras_PagosCentral_Reclamacion_Tipos", "Codigo, Nombre, Tipo"},
        {"Compras_PagosCentral_Reclamacion_Conceptos", "Codigo, Nombre"},
        {"Clientes_PagosCentral_Extractos", "Cod_Empresa, Cod_Cliente, FechaCobro, FechaContabilizar, Hora, Cerrado"},
        {"Clientes_PagosCentral_Extractos_Lineas",
         "IdExtractoLinea, Cod_Empresa, Cod_Cliente, FechaCobro, Cod_Proveedor, Documento, FechaFactura, Importe, "
         "Observaciones, Cod_Atipico, AtipicosPorcentaje"},
        {"Clientes_PagosCentral_Extractos_Lineas_Impuestos", "IdExtractoLinea, Base, Valor_Tipo, Importe"},
        {"Proveedores",
         "Cod_Empresa, Codigo, Nombre, F_Razon, NIF, Cod_Pais, Cta_Proveedor, Cta_Pdte, Cont_Compras, "
         "PagoCentralDifCur, PagoCentralDifPor, Cta_DeudaCortoPlazo, Cod_FPago, CtaBancoPago, DiaPago_1, DiaPago_2"},
        {"Proveedores_GLN", "Cod_Empresa, Cod_Prov, GLN, Principal"},
        {"Almacenes",
         "Cod_Empresa, Codigo, Nombre, Cod_AlmacenCentral, Cod_Sociedad, EmpContable, CtaPagoAjuste, "
         "CtaGastosProntoPago"},
        {"Entradas", "Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo, Documento, ImporteContable, Proveedor, Fecha, "
                     "Hora, Usuario"},
        {"Entradas_Facturas", "Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo, Proveedor, Documento, Fecha, Importe, "
                              "ImporteContable, Asiento, Usuario, Hora"},
        {"Igic_Tipos", "Cod_Empresa, ID, Tipo, Imp_Valor, FechaI, FechaF"},
        {"Igic_Tipos_Externo", "ID, Cod_AppExportar, Cod_Externo"},
        {"Paises", "Cod_Pais, ISOCodigo"},
        {"Arqueos_ParamContabilidad", "Cod_Empresa, PathFicheros"},
        {"Contador_SAGE200", "Cod_Empresa, Cod_Ejercicio, Serie, Codigo"},
        {"Clientes", "Cod_Empresa, Codigo, Nombre, Cta_DepositoCortoPlazo"},
        {"Proveedores_Atipicos", "Cod_Empresa, Cod_Proveedor, FechaI, FechaF, TipoAplicacion, Porcentaje"},
        {"Empresas", "Codigo, FormaPago, DiaPago_1, DiaPago_2"},
        {"SGD_usuarios", "Codigo, Nombre"},
        {"Contabilidad.dbo.Previsiones_Pago",
         "Cod_Empresa, Apunte, Cuenta, Documento, Documento2, Fecha_Doc, Fecha_Vto, Importe, Estado, FormaPago"},
        {"Contabilidad.dbo.Cuentas", "Cod_Empresa, Cod_Ejercicio, Cuenta, Nombre, Nif, F_Razon"},
        {"Contabilidad.dbo.Formas_Pago", "Codigo, TipoDoc, GenerarPrev, PrimerVto, NroVtos, RestoVtos"},
        {"Contabilidad.dbo.Tipos_Doc", "Codigo, Nombre"},
    };
    for (const auto &[table, columns] : used) {
        EXPECT_NO_THROW(erp->OpenRecordset("SELECT " + columns + " FROM " + table + " WHERE 1 = 0")) << table;
    }
}

TEST_F(Schema, InsertsNamingOnlySomeColumnsGetNoDateZeroAmountsAndEmptyTexts) {
    Create(false);
    erp->Execute("INSERT INTO Compras_PagosCentral_Extractos_Lineas (Cod_Empresa, Cod_Almacen, Cod_Extracto, "
                 "Cod_Proveedor, Cod_ProveedorCentral,DocumentoCentral, Documento, Fecha, Importe, TipoPago) VALUES "
                 "(1, 2, 'E1', 3, 30, 'FA-1', 'F''1', '05/02/2026', 10.5, 1)");
    auto rs = erp->OpenRecordset("SELECT IdExtractoLinea, Nueva_FechaVto, ImporteVinculado, NoPago, Obs1, Id_Relacion "
                                 "FROM Compras_PagosCentral_Extractos_Lineas WHERE Documento = 'f''1'");
    ASSERT_FALSE(rs->Eof());
    EXPECT_EQ(rs->Fields(0).AsInt64(), 1);
    EXPECT_EQ(rs->Fields(1).AsText(), "1900-01-01");
    EXPECT_EQ(rs->Fields(2).AsCurrencyUnits(), 0);
    EXPECT_EQ(rs->Fields(3).AsInt64(), 0);
    EXPECT_EQ(rs->Fields(4).AsText(), "");
    EXPECT_EQ(rs->Fields(5).AsInt64(), 0);
    EXPECT_EQ(One("SELECT COUNT(*) FROM Compras_PagosCentral_Extractos_Lineas WHERE Nueva_FechaVto = '01/01/1900'"),
              "1");

    // Claims get their creation time from the database; a statement key cannot be stored twice.
    erp->Execute("INSERT INTO Compras_PagosCentral_Extractos_Lineas_Reclamacion (IdExtractoLinea) VALUES (1)");
    EXPECT_GE(One("SELECT Hora_Alta FROM Compras_PagosCentral_Extractos_Lineas_Reclamacion").substr(0, 4), "2026");
    erp->Execute("INSERT INTO Compras_PagosCentral_Extractos (Cod_Empresa, Cod_Almacen, Cod_Extracto, FechaExtracto, "
                 "FechaVto) VALUES (1, 2, 'E1', '01/02/2026', '')");
    EXPECT_EQ(One("SELECT FechaVto FROM Compras_PagosCentral_Extractos"), "1900-01-01");
    EXPECT_THROW(erp->Execute("INSERT INTO Compras_PagosCentral_Extractos (Cod_Empresa, Cod_Almacen, Cod_Extracto, "
                              "FechaExtracto, FechaVto) VALUES (1, 2, 'e1', '01/02/2026', '')"),
                 db::DbError);
}

TEST_F(Schema, ScalarFunctionsReturnStatementAndLinkedAmounts) {
    Create(false);
    erp->Execute("INSERT INTO Entradas (Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo, Proveedor, Documento, Fecha, "
                 "ImporteContable) VALUES (1, 2026, 2, 7, 3, 'A1', '01/02/2026', 40)");
    erp->Execute("INSERT INTO Entradas_Facturas (Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo, Proveedor, Documento, "
                 "Fecha, Importe, ImporteContable) VALUES (1, 2026, 2, 0, 3, 'F1', '02/02/2026', 25.25, 99)");
    for (const char *amount : {"100", "50.5", "-10"}) {
        erp->Execute(std::string("INSERT INTO Compras_PagosCentral_Extractos_Lineas (Cod_Empresa, Cod_Almacen, "
                                 "Cod_Extracto, Cod_Proveedor, Importe) VALUES (1, 2, 'E1', 3, ") +
                     amount + ")");
    }
    erp->Execute("INSERT INTO Compras_PagosCentral_Extractos_Lineas (Cod_Empresa, Cod_Almacen, Cod_Extracto, "
                 "Cod_Proveedor, Importe) VALUES (1, 2, 'E2', 3, 1000)");
    erp->Execute("INSERT INTO Compras_PagosCentral_Entradas (IdExtractoLinea, Cod_Empresa, Cod_Ejercicio, Cod_Almacen, "
                 "Codigo) VALUES (1, 1, 2026, 2, 7)");
    erp->Execute("INSERT INTO Compras_PagosCentral_Entradas_Facturas (IdExtractoLinea, Cod_Empresa, Cod_Almacen, "
                 "Proveedor, Documento, Fecha) VALUES (1, 1, 2, 3, 'f1', '02/02/2026')");
    erp->Execute("INSERT INTO Compras_PagosCentral_PrevPagos(IdExtractoLinea, IdPrevPago, Importe) VALUES(2, 11, 20)");
    erp->Execute("INSERT INTO Compras_PagosCentral_PrevPagos(IdExtractoLinea, IdPrevPago, Importe) VALUES(2, 12, 30.5)");
    erp->Execute("INSERT INTO Compras_PagosCentral_PrevPagos(IdExtractoLinea, IdPrevPago, Importe) VALUES(4, 13, 7)");
    erp->Execute("INSERT INTO Compras_PagosCentral_Extractos (Cod_Empresa, Cod_Almacen, Cod_Extracto) VALUES (1, 2, "
                 "'E1')");

    auto rs = erp->OpenRecordset(
        "SELECT dbo.fn_DevPagosCenImporteExtracto(1,c.Cod_Almacen, c.Cod_Extracto) AS ImporteExtracto, "
        "dbo.fn_DevPagosCenImporteVinculado(1,c.Cod_Almacen, c.Cod_Extracto) AS ImporteVinculado, "
        "dbo.fn_DevPagosCenImporteExtractoPrevPagos(1,c.Cod_Almacen, c.Cod_Extracto) AS ImporteExtractoPP, "
        "dbo.fn_DevPagosCenImporteVinculadoPrevPagos(1,c.Cod_Almacen, c.Cod_Extracto) AS ImporteVinculadoPP "
        "FROM Compras_PagosCentral_Extractos c WHERE c.Cod_Empresa = 1");
    ASSERT_FALSE(rs->Eof());
    EXPECT_EQ(rs->Fields("ImporteExtracto").AsCurrencyUnits(), 1405000);
    EXPECT_EQ(rs->Fields("ImporteVinculado").AsCurrencyUnits(), 652500); // receipt 40 + invoice 25.25
    EXPECT_EQ(rs->Fields("ImporteExtractoPP").AsCurrencyUnits(), 1405000);
    EXPECT_EQ(rs->Fields("ImporteVinculadoPP").AsCurrencyUnits(), 505000);

    rs = erp->OpenRecordset("SELECT lin.IdExtractoLinea, lin.Importe - dbo.fn_DevPagosCenImporteVinculadoLinea("
                            "lin.IdExtractoLinea) AS ImporteDiferencia, "
                            "dbo.fn_DevPagosCenImporteVinculadoLineaPrevPagos(lin.IdExtractoLinea) AS PP "
                            "FROM Compras_PagosCentral_Extractos_Lineas lin ORDER BY lin.IdExtractoLinea");
    std::vector<std::pair<std::int64_t, std::int64_t>> got;
    for (; !rs->Eof(); rs->MoveNext()) {
        got.emplace_back(rs->Fields(1).AsCurrencyUnits(), rs->Fields(2).AsCurrencyUnits());
    }
    std::vector<std::pair<std::int64_t, std::int64_t>> want = {
        {347500, 0}, {505000, 505000}, {-100000, 0}, {10000000, 70000}};
    EXPECT_EQ(got, want);
}

TEST_F(Schema, DemoCompanyHoldsWhatTheWindowsNeed) {
    Create(true);
    EXPECT_EQ(Count("Almacenes WHERE Cod_Empresa = 1 AND Cod_AlmacenCentral > 0 AND EmpContable = 1"), 3);
    EXPECT_EQ(Count("Proveedores WHERE Cod_Empresa = 1"), 20);
    EXPECT_EQ(Count("Proveedores WHERE Nombre LIKE '%''%'"), 1);
    EXPECT_GE(Count("Proveedores WHERE Cta_Proveedor = ''"), 1);
    EXPECT_GE(Count("Proveedores WHERE Cont_Compras = 1"), 1);
    EXPECT_GE(Count("Proveedores WHERE PagoCentralDifCur = 0 AND PagoCentralDifPor > 0"), 1);
    EXPECT_GE(Count("Proveedores_GLN WHERE GLN LIKE '%.%'"), 1);
    EXPECT_GE(Count("Proveedores_GLN WHERE GLN NOT LIKE '%.%'"), 1);
    EXPECT_EQ(Count("Compras_PagosCentral_Extractos_TiposPago WHERE Tipo IN ('RI', 'XI', 'RIA', 'XIA')"), 4);
    EXPECT_EQ(Count("Compras_PagosCentral_Reclamacion_Tipos WHERE Codigo BETWEEN 1 AND 6"), 6);
    EXPECT_GE(Count("Igic_Tipos_Externo WHERE Cod_AppExportar = 7"), 6);
    EXPECT_GE(Count("Igic_Tipos_Externo WHERE Cod_AppExportar = 17"), 6);
    EXPECT_GE(Count("Contabilidad.dbo.Previsiones_Pago WHERE Estado = 0"), 200);
    EXPECT_GT(Count("Contabilidad.dbo.Cuentas WHERE Cod_Ejercicio = 2026"), 60);

    const char *params[] = {"PagoCentral_TipoExtracto", "Tipo_Contabilidad", "UsuarioActual",
                            "PagoCentral_AsientoCheckLineasNoVinc", "ODBCNombre", "ODBCUsuario", "ODBCPassword",
                            "Raiz_Proveedores", "Raiz_ProveedoresPendRecibir", "Raiz_ProveedoresDeudaCortoPlazo",
                            "Raiz_ClientesDepCortoPlazo", "Almacen_PD", "EDI_GLNEmpresa",
                            "PagoCentral_PersonaContactoNombre", "PagoCentral_PersonaContactoDept",
                            "ColorPagoCentralizadoVinculacionOk", "ColorPagoCentralizadoVinculacionDif",
                            "ColorPagoCentralizadoEuromadi", "PagoCentralPathReclamaciones",
                            "PagoCentral_PrevPagoTipoDocumentos", "PagoCentral_TPNoGenAsientoResum"};
    for (const char *p : params) {
        EXPECT_EQ(Count(std::string("Empresas_Parametros WHERE Cod_Empresa = 1 AND Nombre = '") + p + "'"), 1) << p;
    }
    EXPECT_EQ(One("SELECT Valor FROM Empresas_Parametros WHERE Nombre = 'PagoCentral_TipoExtracto'"), "1");
    EXPECT_EQ(One("SELECT Valor FROM Contabilidad.dbo.Parametros WHERE Nombre = 'ODBCBaseDatos'"), "Contabilidad");

    // Statements fall in the three months before the seed's date; the linked amounts agree with the links.
    EXPECT_EQ(Count("Compras_PagosCentral_Extractos WHERE FechaExtracto BETWEEN '15/12/2025' AND '15/03/2026'"), 11);
    EXPECT_EQ(Count("Compras_PagosCentral_Extractos WHERE Cerrado = 1"), 1);
    EXPECT_EQ(Count("Compras_PagosCentral_Extractos_Lineas lin WHERE ABS(lin.ImporteVinculado - "
                    "dbo.fn_DevPagosCenImporteVinculadoLinea(lin.IdExtractoLinea)) > 0.001"),
              0);
    EXPECT_GT(Count("Compras_PagosCentral_Extractos_Lineas WHERE ImporteVinculado <> 0"), 20);
    EXPECT_EQ(Count("Compras_PagosCentral_Extractos_Lineas lin WHERE NOT EXISTS (SELECT 1 FROM "
                    "Compras_PagosCentral_Extractos_Lineas_Impuestos i WHERE i.IdExtractoLinea = lin.IdExtractoLinea)"),
              0);
}

TEST_F(Schema, DemoIsTheSameForTheSameDateAndCarriesDateSeparatelyForSqlServer) {
    EXPECT_EQ(schema::DemoSeedErp(schema::Dialect::Sqlite, "2026-03-15"),
              schema::DemoSeedErp(schema::Dialect::Sqlite, "2026-03-15"));
    auto ss = schema::DemoSeedAccounting(schema::Dialect::SqlServer, "2026-03-15");
    bool sawIdentityInsert = false;
    for (const auto &s : ss) {
        EXPECT_EQ(s.find("2026-"), std::string::npos) << s;
        sawIdentityInsert = sawIdentityInsert || s == "SET IDENTITY_INSERT Previsiones_Pago ON";
    }
    EXPECT_TRUE(sawIdentityInsert);
    int functions = 0;
    for (const auto &s : schema::ErpDdlSqlServer()) {
        functions += s.rfind("CREATE FUNCTION dbo.fn_DevPagosCen", 0) == 0;
        EXPECT_EQ(s.find("COLLATE NOCASE"), std::string::npos);
    }
    EXPECT_EQ(functions, 6);
}

} // namespace
