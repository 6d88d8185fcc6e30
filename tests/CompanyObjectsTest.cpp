#include "db/OpenFile.h"
#include "db/sqlite/SqliteConnection.h"
#include "fixtures/TempDir.h"
#include "suite/Almacen.h"
#include "suite/EmpresaLumbra.h"
#include "suite/EmpresaVarnex.h"

#include <gtest/gtest.h>

#include <stdexcept>

using suite::Almacen;
using suite::EmpresaLumbra;
using suite::EmpresaVarnex;
using suite::Fecha;
using suite::Moneda;
using suite::Valor;

namespace {

Moneda M(const char *text) {
    return Moneda::Parse(text).value();
}

Fecha D(const char *text) {
    return Fecha::Parse(text).value();
}

class SuiteCompanyObjects : public ::testing::Test {
  protected:
    void SetUp() override {
        db::RunSqliteScript(
            dir.File("erp.db"),
            {"CREATE TABLE Empresas (Codigo INTEGER, Nombre VARCHAR(60) COLLATE NOCASE, DecimalesImporte "
             "INTEGER, "
             "RaizCuentaProveedor INTEGER, PathAplicacion VARCHAR(255) COLLATE NOCASE)",
             "CREATE TABLE Ejercicios (Cod_Empresa INTEGER, Codigo INTEGER, Cerrado BIT)",
             "CREATE TABLE Empresas_Parametros (Cod_Empresa INTEGER, Nombre VARCHAR(100) COLLATE NOCASE, "
             "Valor VARCHAR(255) COLLATE NOCASE)",
             "CREATE TABLE Igic_Tipos (Cod_Empresa INTEGER, ID INTEGER, Tipo INTEGER, Imp_Valor MONEY, "
             "Imp_ValorRegimen MONEY, FechaI DATETIME DEFAULT '1900-01-01', FechaF DATETIME DEFAULT "
             "'1900-01-01')",
             "CREATE TABLE Almacenes (Cod_Empresa INTEGER, Codigo INTEGER, Nombre VARCHAR(60) COLLATE "
             "NOCASE, "
             "Cod_AlmacenCentral INTEGER DEFAULT 0, Cod_Sociedad VARCHAR(10) COLLATE NOCASE DEFAULT '', "
             "EmpContable INTEGER DEFAULT 0, CtaPagoAjuste VARCHAR(20) COLLATE NOCASE DEFAULT '', "
             "CtaGastosProntoPago VARCHAR(20) COLLATE NOCASE DEFAULT '', RegimenEspecial BIT DEFAULT 0)",
             "INSERT INTO Empresas VALUES (1, 'Demo', 2, 400, 'C:\\Varnex'), (2, 'Otra', 4, 410, '/opt/v')",
             "INSERT INTO Ejercicios VALUES (1, 2024, 1), (1, 2025, 0), (1, 2026, NULL), (2, 2025, 1)",
             "INSERT INTO Empresas_Parametros VALUES (1, 'PagoCentral_TipoExtracto', '2'), "
             "(2, 'PagoCentral_TipoExtracto', '1'), (1, 'Almacen_PD', NULL)",
             "INSERT INTO Igic_Tipos VALUES (1, 1, 1, 6.5, 3, '2020-01-01', '2023-12-31'), "
             "(1, 2, 1, 7, 3.5, '2024-01-01', '1900-01-01'), (1, 3, 2, 15, 9.5, '2024-01-01', '2024-06-30'), "
             "(1, 4, 2, 20, 12, '2024-07-15', '1900-01-01'), (2, 5, 3, 0.0001, 0.0002, '2000-01-01', "
             "'1900-01-01')",
             "INSERT INTO Almacenes VALUES (1, 3, 'Telde', 12, 'S01', 5, '6590000001', '6260000002', 1), "
             "(1, 4, 'Arinaga', 13, '', 0, '', '', 0), (2, 3, 'Ajena', 0, '', 0, '', '', 0)"});
        db::RunSqliteScript(
            dir.File("conta.db"),
            {"CREATE TABLE Parametros (Cod_Empresa INTEGER, Nombre VARCHAR(100) COLLATE NOCASE, "
             "Valor VARCHAR(255) COLLATE NOCASE)",
             "CREATE TABLE Empresas (Codigo INTEGER, Nombre VARCHAR(60) COLLATE NOCASE, "
             "LongitudCuenta INTEGER)",
             "INSERT INTO Empresas VALUES (5, 'Conta Demo', 10)",
             "INSERT INTO Parametros VALUES (5, 'ODBCBaseDatos', 'ContaDemo')"});
        erp = db::OpenDatabaseFile(dir.File("erp.db"));
        conta = db::OpenDatabaseFile(dir.File("conta.db"));
    }

    TempDir dir;
    db::ConnectionPtr erp;
    db::ConnectionPtr conta;
};

} // namespace

TEST_F(SuiteCompanyObjects, VarnexCompanyRowAndFiscalYears) {
    EmpresaVarnex emp(erp, 1);
    EXPECT_EQ(emp.Codigo(), 1);
    EXPECT_EQ(emp.DecimalesImporte(), 2);
    EXPECT_EQ(emp.RaizCuentaProveedor(), 400);
    EXPECT_EQ(emp.PathAplicacion(), "C:\\Varnex");
    EXPECT_EQ(EmpresaVarnex(erp, 2).DecimalesImporte(), 4);
    EXPECT_EQ(emp.EjercicioCerrado(2024), 1);
    EXPECT_EQ(emp.EjercicioCerrado(2025), 0);
    EXPECT_EQ(emp.EjercicioCerrado(2026), 0);
    EXPECT_EQ(emp.EjercicioCerrado(1999), 0);
    EXPECT_EQ(EmpresaVarnex(erp, 2).EjercicioCerrado(2025), 1);
    EXPECT_EQ(emp.EjercicioActual(), Fecha::Hoy().Anio());
    EXPECT_THROW(EmpresaVarnex(erp, 9).DecimalesImporte(), std::runtime_error);
}

TEST_F(SuiteCompanyObjects, VarnexParametersAreReadFreshAndUpserted) {
    EmpresaVarnex emp(erp, 1);
    EXPECT_EQ(emp.Parametro("PagoCentral_TipoExtracto").ToLong(), 2);
    EXPECT_EQ(emp.Parametro("pagocentral_tipoextracto").ToText(), "2");
    EXPECT_EQ(emp.Parametro("Almacen_PD"), Valor(""));
    EXPECT_EQ(emp.Parametro("NoExiste"), Valor(""));
    EXPECT_TRUE(emp.Parametro("NoExiste").IsEmpty());

    erp->Execute("UPDATE Empresas_Parametros SET Valor = '1' WHERE Cod_Empresa = 1 AND Nombre = "
                 "'PagoCentral_TipoExtracto'");
    EXPECT_EQ(emp.Parametro("PagoCentral_TipoExtracto").ToLong(), 1);

    emp.EstablecerParametro("UsuarioActual", Valor("O'Neill"));
    emp.EstablecerParametro("UsuarioActual", Valor(7));
    emp.EstablecerParametro("PagoCentral_TipoExtracto", Valor(0));
    EXPECT_EQ(emp.Parametro("UsuarioActual").ToText(), "7");
    EXPECT_EQ(emp.Parametro("PagoCentral_TipoExtracto").ToLong(), 0);
    EXPECT_EQ(EmpresaVarnex(erp, 2).Parametro("PagoCentral_TipoExtracto").ToLong(), 1);
    auto rs = erp->OpenRecordset("SELECT COUNT(*) FROM Empresas_Parametros WHERE Nombre = 'UsuarioActual'");
    EXPECT_EQ(rs->Fields(0).AsInt64(), 1);
    emp.EstablecerParametro("Apellido", Valor("O'Neill"));
    EXPECT_EQ(emp.Parametro("Apellido").ToText(), "O'Neill");
}

TEST_F(SuiteCompanyObjects, VarnexTaxRatesInForceAtTheWorkingDate) {
    EmpresaVarnex emp(erp, 1);
    EXPECT_EQ(emp.FechaTrabajo(), Fecha::Hoy());
    emp.FechaTrabajo(D("15/03/2023 10:30"));
    EXPECT_EQ(emp.FechaTrabajo(), D("15/03/2023"));
    EXPECT_EQ(emp.TipoImpuesto(1), M("6,5"));
    EXPECT_EQ(emp.TipoImpuestoRegimen(1), M("3"));
    EXPECT_EQ(emp.TipoImpuesto(2), Moneda());

    emp.FechaTrabajo(D("31/12/2023"));
    EXPECT_EQ(emp.TipoImpuesto(1), M("6,5"));
    emp.FechaTrabajo(D("01/01/2024"));
    EXPECT_EQ(emp.TipoImpuesto(1), M("7"));
    EXPECT_EQ(emp.TipoImpuestoRegimen(1), M("3,5"));
    EXPECT_EQ(emp.TipoImpuesto(2), M("15"));
    EXPECT_EQ(emp.TipoImpuestoRegimen(2), M("9,5"));

    emp.FechaTrabajo(D("30/06/2024"));
    EXPECT_EQ(emp.TipoImpuesto(2), M("15"));
    emp.FechaTrabajo(D("01/07/2024"));
    EXPECT_EQ(emp.TipoImpuesto(2), Moneda());
    emp.FechaTrabajo(D("15/07/2024"));
    EXPECT_EQ(emp.TipoImpuesto(2), M("20"));
    emp.FechaTrabajo(D("01/01/2099"));
    EXPECT_EQ(emp.TipoImpuesto(1), M("7"));
    EXPECT_EQ(emp.TipoImpuesto(3), Moneda());
    EXPECT_EQ(EmpresaVarnex(erp, 2).TipoImpuestoRegimen(3), M("0,0002"));
    EXPECT_THROW(emp.TipoImpuesto(0), std::out_of_range);
    EXPECT_THROW(emp.TipoImpuestoRegimen(7), std::out_of_range);
}

TEST_F(SuiteCompanyObjects, LumbraParametersYearAndAccountLength) {
    EmpresaLumbra conta5(conta, 5);
    EXPECT_EQ(conta5.Codigo(), 5);
    EXPECT_EQ(conta5.Ejercicio(), Fecha::Hoy().Anio());
    conta5.Ejercicio(2024);
    EXPECT_EQ(conta5.Ejercicio(), 2024);
    EXPECT_EQ(conta5.LongitudCuenta(), 10);
    EXPECT_EQ(conta5.Parametro("ODBCBaseDatos").ToText(), "ContaDemo");
    EXPECT_EQ(conta5.Parametro("Concepto_PagoCent_Proveedor"), Valor(""));
    conta5.EstablecerParametro("UsuarioActual", Valor("ana"));
    conta5.EstablecerParametro("UsuarioActual", Valor("luis"));
    EXPECT_EQ(conta5.Parametro("UsuarioActual").ToText(), "luis");
    EXPECT_EQ(EmpresaLumbra(conta, 6).Parametro("UsuarioActual"), Valor(""));
    EXPECT_THROW(EmpresaLumbra(conta, 6).LongitudCuenta(), std::runtime_error);
}

TEST_F(SuiteCompanyObjects, WarehouseLoadsItsRowOrReportsMissing) {
    Almacen alm(erp, 1);
    ASSERT_TRUE(alm.CargarAlmacen(3));
    EXPECT_TRUE(alm.RegimenEspecial());
    EXPECT_EQ(alm.Nombre(), "Telde");
    EXPECT_EQ(alm.EmpContable(), 5);
    EXPECT_EQ(alm.CtaPagoAjuste(), "6590000001");
    EXPECT_EQ(alm.CtaGastosProntoPago(), "6260000002");
    EXPECT_EQ(alm.CodAlmacenCentral(), 12);
    EXPECT_EQ(alm.CodSociedad(), "S01");

    ASSERT_TRUE(alm.CargarAlmacen(4));
    EXPECT_FALSE(alm.RegimenEspecial());
    EXPECT_EQ(alm.Nombre(), "Arinaga");
    EXPECT_EQ(alm.EmpContable(), 0);

    EXPECT_FALSE(alm.CargarAlmacen(99));
    EXPECT_FALSE(alm.Cargado());
    EXPECT_EQ(alm.Nombre(), "");
    EXPECT_EQ(Almacen(erp, 2).CargarAlmacen(3), true);
    Almacen otra(erp, 2);
    otra.CargarAlmacen(3);
    EXPECT_EQ(otra.Nombre(), "Ajena");
    EXPECT_FALSE(otra.RegimenEspecial());
}
