#include "fixtures/Asientos.h"
#include "fixtures/TriggerFault.h"
#include "statements/frmExtractos_ConfirmarEliminar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using W = statements::frmExtractos;
using Lines = std::vector<std::string>;

const std::string kQuestion =
    "question|¡ Atención !|¿Está seguro que desea generar el asiento de los extractos señalados?";
std::string SinProcesar(const std::string &code) {
    return "warning|¡ Atención !|El Extracto: " + code +
           " posee líneas sin procesar\r\nó no existe algún proveedor.\r\nRevise las que faltan para continuar.";
}

class GenerarAsiento : public AsientosFixture, public ::testing::Test {
  public:
    // What the user is told after ticking `ticked` and pressing the button, answering No.
    std::string Pulsar(const std::vector<std::string> &ticked = {"T'1"}) {
        auto w = Lista(ticked);
        shell.ClearLog();
        shell.answers = {host::Answer::No};
        w->cmdGenerarAsiento_Click();
        EXPECT_EQ(Asientos().size(), 0u);
        EXPECT_EQ(Cerrado(), "0");
        return shell.Last();
    }
    void Statement2018(const std::string &code) {
        demo.erp->Execute("INSERT INTO Compras_PagosCentral_Extractos (Cod_Empresa, Cod_Almacen, Cod_Extracto, "
                          "FechaExtracto, FechaVto) VALUES (1, 1, " +
                          db::Quote(code) + ", '31/12/2018', '15/01/2019')");
    }
};

TEST_F(GenerarAsiento, ChecksRefuseInOrderBeforeAnyTransaction) {
    demo.SetParam("PagoCentral_TipoExtracto", "1");
    {
        auto w = Lista({});
        w->txtNumExtracto.text = "no existe";
        w->Cargar_Extractos();
        shell.ClearLog();
        w->cmdGenerarAsiento_Click();
        EXPECT_TRUE(shell.messages.empty());
    }
    EXPECT_EQ(Pulsar({}), "warning|¡ Atención !|Debe señalar al menos una linea de Extracto para generar asiento.");
    Statement("C'2", -3, 10, true);
    EXPECT_EQ(Pulsar({"T'1", "C'2"}), "warning|¡ Atención !|Existe algún Extracto señalado que ya se le ha generado "
                                      "el asiento. Desmárquelo para continuar.");
    demo.erp->Execute("INSERT INTO Compras_PagosCentral_Extractos (Cod_Empresa, Cod_Almacen, Cod_Extracto, "
                      "FechaExtracto, FechaVto) VALUES (1, 0, 'SIN', '" +
                      Dia(-2) + "', '" + Dia(5) + "')");
    EXPECT_EQ(Pulsar({"T'1", "SIN"}), "warning|¡ Atención !|Existe algún Extracto señalado que no posee almacén. "
                                      "Desmárquelo para continuar.");

    // A line of a supplier that does not exist.
    long nobody = Line(999, "10", "X");
    EXPECT_EQ(Pulsar(), SinProcesar("T'1"));
    demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET Cod_Proveedor = 901 WHERE IdExtractoLinea = " +
                      std::to_string(nobody));
    // From 2019 the tax breakdown must add up to the amount, even for a line that is dealt with.
    demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET ProntoPago = 1 WHERE IdExtractoLinea = " +
                      std::to_string(nobody));
    EXPECT_EQ(Pulsar(), SinProcesar("T'1"));
    Taxes(nobody, "9", "1");
    EXPECT_EQ(Pulsar(), kQuestion);

    // Creditor lines, claimed lines and "RI"/"XI" lines pass without links; a plain one does not.
    long plain = Line(901, "20", "P");
    Taxes(plain, "20", "0");
    EXPECT_EQ(Pulsar(), SinProcesar("T'1"));
    demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET Acreedor = 1 WHERE IdExtractoLinea = " +
                      std::to_string(plain));
    EXPECT_EQ(Pulsar(), kQuestion);
    long claimed = Line(901, "20", "C");
    Taxes(claimed, "20", "0");
    EXPECT_EQ(Pulsar(), SinProcesar("T'1"));
    Claim(claimed, "5");
    EXPECT_EQ(Pulsar(), kQuestion);
    long ri = Line(901, "20", "RI");
    Taxes(ri, "20", "0");
    demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET TipoPago = 5 WHERE IdExtractoLinea = " +
                      std::to_string(ri));
    EXPECT_EQ(Pulsar(), kQuestion);
    // A line whose payment type does not exist.
    demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET TipoPago = 99 WHERE IdExtractoLinea = " +
                      std::to_string(ri));
    EXPECT_EQ(Pulsar(), SinProcesar("T'1"));
    demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET TipoPago = 7 WHERE IdExtractoLinea = " +
                      std::to_string(ri));
    EXPECT_EQ(Pulsar(), kQuestion);

    // In mode 2 the "XI" line fails, and the taxes are not looked at.
    demo.SetParam("PagoCentral_TipoExtracto", "2");
    EXPECT_EQ(Pulsar(), SinProcesar("T'1"));
    demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET ProntoPago = 1 WHERE IdExtractoLinea = " +
                      std::to_string(ri));
    demo.erp->Execute("DELETE FROM Compras_PagosCentral_Extractos_Lineas_Impuestos");
    EXPECT_EQ(Pulsar(), kQuestion);

    // With the check switched off, a line without supplier is no obstacle.
    demo.SetParam("PagoCentral_TipoExtracto", "1");
    Line(999, "10", "Y");
    EXPECT_EQ(Pulsar(), SinProcesar("T'1"));
    demo.SetParam("PagoCentral_AsientoCheckLineasNoVinc", "0");
    EXPECT_EQ(Pulsar(), kQuestion);

    // The Sage 200 target needs its folder, before any transaction.
    demo.SetParam("Tipo_Contabilidad", "6");
    auto w = Lista({"T'1"});
    shell.ClearLog();
    shell.answers = {host::Answer::Yes};
    w->cmdGenerarAsiento_Click();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|No se ha establecido el Path para los ficheros de resultado");
    demo.erp->Execute("DELETE FROM Arqueos_ParamContabilidad");
    shell.ClearLog();
    shell.answers = {host::Answer::Yes};
    w->cmdGenerarAsiento_Click();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|No se ha establecido el Path para los ficheros de resultado");
    EXPECT_TRUE(shell.progress.empty());
    EXPECT_EQ(Cerrado(), "0");
    EXPECT_FALSE(demo.erp->InTransaction());
}

TEST_F(GenerarAsiento, StatementsOf2018AndEarlierPassWithoutTaxesAndGetOneEntry) {
    demo.SetParam("PagoCentral_TipoExtracto", "1");
    Statement2018("V'18");
    long a = Line(901, "100", "FA'1", -5, "V'18");
    Invoice(a, 901, "FV-1", "10/12/2018", "60");
    Invoice(a, 901, "FV-2", "11/12/2018", "30");
    long pp = Line(901, "20", "PP'2", -5, "V'18");
    demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET ProntoPago = 1 WHERE IdExtractoLinea = " +
                      std::to_string(pp));
    long r = Line(902, "70", "AL-3", -5, "V'18");
    Receipt(r, 601, "ALB-601", "70");
    auto w = Generar({"V'18"});
    EXPECT_EQ(shell.Last(), "information|Varnex|Operación realizada con éxito. Asientos generados: \r1");
    EXPECT_EQ(Apuntes(), (Lines{
                             "4000000901|Pago V'18|FV-1|60|0",
                             "4000000901|Pago V'18|FV-2|30|0",
                             "4000000901|Pago V'18|PP'2|20|0",
                             "4000000901|Pago V'18|PP'2|0|20",
                             "6260000000|Gasto Proveedor O'901 V'18|PP'2|20|0",
                             "4000000901|Ajuste V'18|V'18|10|0",
                             "4000000901|Ajuste V'18|V'18|0|10",
                             "6590000000|Gasto Proveedor O'901 V'18|V'18|10|0",
                             "4000000902|Pago V'18|ALB-601|70|0",
                             "5720000001|Contra V'18|V'18|0|190",
                         }));
    EXPECT_TRUE(Cuadran());
    EXPECT_EQ(demo.One("SELECT Fecha FROM Contabilidad.Asientos"), "2018-12-31");
    EXPECT_EQ(Cerrado("V'18"), "1");
    EXPECT_EQ(demo.Count("Compras_PagosCentral_Entradas_Facturas WHERE Contabilizado = 1 AND IdExtractoLinea = " +
                         std::to_string(a)),
              2);
    EXPECT_EQ(demo.Count("Compras_PagosCentral_Entradas WHERE Contabilizado = 1 AND IdExtractoLinea = " +
                         std::to_string(r)),
              1);
    // The list was reloaded and shows the statement closed.
    bool shown = false;
    for (int row = 1; row <= w->vsExtractos.DataRows(); ++row) {
        if (w->vsExtractos.Text(row, W::colExtracto) == "V'18") {
            EXPECT_EQ(w->vsExtractos.Text(row, W::colEstado), "CERRADO");
            shown = true;
        }
    }
    EXPECT_TRUE(shown);
}

TEST_F(GenerarAsiento, From2019EachLineDateGetsARegistrationEntryAndTheStatementAPaymentEntry) {
    demo.SetParam("PagoCentral_TipoExtracto", "1");
    demo.SetParam("PagoCentral_AsientoCheckLineasNoVinc", "0");
    long l1 = Line(902, "100", "F'1", -5);
    Receipt(l1, 501, "ALB'501", "90");
    long l2 = Line(902, "50", "F2", -5);
    Receipt(l2, 502, "ALB-502", "20");
    Receipt(l2, 503, "ALB-503", "30");
    long l3 = Line(901, "30", "PP1", -4);
    demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET ProntoPago = 1 WHERE IdExtractoLinea = " +
                      std::to_string(l3));
    long l4 = Line(901, "40", "REC1", -4);
    Claim(l4, "15");
    long l5 = Line(901, "25", "RI1", -4);
    demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET TipoPago = 5 WHERE IdExtractoLinea = " +
                      std::to_string(l5));
    Generar();
    EXPECT_EQ(shell.Last(), "information|Varnex|Operación realizada con éxito. Asientos generados: \r1\r2\rAsiento "
                            "del Extracto: \r3");
    auto lines = Apuntes();
    ASSERT_EQ(lines.size(), 18u);
    EXPECT_EQ(Lines(lines.begin(), lines.begin() + 9), (Lines{
                                                           "4009000902|Pago T'1|ALB'501|90|0",
                                                           "4009000902|Ajuste T'1|F'1|10|0",
                                                           "4009000902|Ajuste T'1|F'1|0|10",
                                                           "6590000000|Gasto Proveedor O'902 T'1|F'1|10|0",
                                                           "4000000902|Pago T'1|F'1|0|100",
                                                           "4009000902|Pago T'1|ALB-502|20|0",
                                                           "4009000902|Pago T'1|ALB-503|30|0",
                                                           "4000000902|Pago T'1|F2|0|50",
                                                           "6260000000|Gasto Proveedor O'901 T'1|PP1|30|0",
                                                       }));
    EXPECT_EQ(Lines(lines.begin() + 9, lines.begin() + 12), (Lines{
                                                                "4009000901|Pago T'1|PP1|0|30",
                                                                "4000000901|Pago T'1 A RECLAMAR|REC1|15|0",
                                                                "4000000901|Pago T'1|REC1|0|15",
                                                            }));
    Lines pago(lines.begin() + 12, lines.end() - 1);
    std::sort(pago.begin(), pago.end());
    EXPECT_EQ(pago, (Lines{"4000000901|Pago T'1|REC1|40|0", "4000000901|Pago T'1|RI1|25|0",
                           "4000000902|Pago T'1|F'1|100|0", "4000000902|Pago T'1|F2|50|0",
                           "4009000901|Pago T'1|PP1|30|0"}));
    EXPECT_EQ(lines.back(), "5720000001|Contra T'1|T'1|0|245");
    EXPECT_TRUE(Cuadran());
    EXPECT_EQ(demo.One("SELECT COUNT(*) FROM Contabilidad.Asientos WHERE Fecha = '" + Dia(-5) + "'"), "1");
    EXPECT_EQ(Cerrado(), "1");
    EXPECT_EQ(demo.Count("Compras_PagosCentral_Entradas WHERE Contabilizado = 1"), 3);
}

TEST_F(GenerarAsiento, AStatementWhoseClosingWasLostIsClosedWithItsEntriesNotAccountedTwice) {
    demo.SetParam("PagoCentral_TipoExtracto", "1");
    demo.SetParam("PagoCentral_AsientoCheckLineasNoVinc", "0");
    long l1 = Line(902, "100", "F'1", -5);
    Receipt(l1, 501, "ALB'501", "100");
    Generar();
    const std::string done = "information|Varnex|Operación realizada con éxito. Asientos generados: \r1\rAsiento "
                             "del Extracto: \r2";
    ASSERT_EQ(shell.Last(), done);
    const auto entries = Apuntes();
    auto nota = demo.acc->OpenRecordset("SELECT Origen, Clave, Asientos FROM PagosCentral_ExtractosContabilizados");
    EXPECT_EQ(nota->Fields(0).AsText() + "|" + nota->Fields(1).AsText() + "|" + nota->Fields(2).AsText(),
              "Proveedores|1:T'1|\r1\rAsiento del Extracto: \r2");
    nota->Close();
    // The ERP side of the run lost, as when the program dies between the two commits.
    demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos SET Cerrado = 0");
    demo.erp->Execute("UPDATE Compras_PagosCentral_Entradas SET Contabilizado = 0");

    // Refused once confirmed, under the write lock, where another user's run is seen whole.
    shell.handlers["frmExtractos_ConfirmarEliminar"] = [](host::Window &win) {
        auto &c = static_cast<statements::frmExtractos_ConfirmarEliminar &>(win);
        c.txtFecha.text = suite::Fecha::Hoy().Formato("dd/mm/yyyy");
        c.cmdAceptar_Click();
    };
    auto w = Lista({"T'1"});
    shell.ClearLog();
    w->cmdEliminar_Click();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|El Extracto: T'1 ya tiene su asiento en la contabilidad, pero no se "
                            "llegó a cerrar. Genere de nuevo su asiento para cerrarlo: no se duplicará.");
    EXPECT_EQ(demo.Count("Compras_PagosCentral_Extractos_Lineas WHERE Cod_Extracto = 'T''1'"), 1);

    Generar();
    EXPECT_EQ(shell.Last(), done);
    EXPECT_EQ(Apuntes(), entries);
    EXPECT_EQ(demo.One("SELECT COUNT(*) FROM Contabilidad.Asientos"), "2");
    EXPECT_EQ(Cerrado(), "1");
    EXPECT_EQ(demo.Count("Compras_PagosCentral_Entradas WHERE Contabilizado = 1"), 1);

    // Deleted (by hand) and imported again under the same code, it is a new statement: accounted anew.
    demo.erp->Execute("DELETE FROM Compras_PagosCentral_Extractos_Lineas");
    demo.erp->Execute("DELETE FROM Compras_PagosCentral_Entradas");
    demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos SET Cerrado = 0");
    long l2 = Line(902, "70", "F'2", -5);
    Receipt(l2, 502, "ALB-502", "70");
    Generar();
    EXPECT_EQ(shell.Last(), "information|Varnex|Operación realizada con éxito. Asientos generados: \r3\rAsiento "
                            "del Extracto: \r4");
    EXPECT_TRUE(Cuadran());
}

TEST_F(GenerarAsiento, InvoicesFromTheRegisterStartCarryARegisterRecordWithTheirTaxRows) {
    demo.SetParam("PagoCentral_TipoExtracto", "1");
    demo.SetParam("PagoCentral_AsientoCheckLineasNoVinc", "0");
    demo.acc->Execute("UPDATE Parametros SET Valor = '1' WHERE Nombre = 'Conta_SII_FR_Activado'");
    demo.acc->Execute("UPDATE Parametros SET Valor = " + db::Quote(Dia(-4)) + " WHERE Nombre = 'Conta_SII_FechaInicio'");
    demo.acc->Execute("UPDATE Cuentas SET Nif = 'B''CONTA', F_Razon = 'Razón ''); --' WHERE Cuenta = '4000000901'");
    demo.erp->Execute("UPDATE Proveedores SET F_Razon = 'Razón \"902\"' WHERE Codigo = 902");
    auto tax = [&](long line, const std::string &base, const std::string &rate, const std::string &amount, int type) {
        demo.erp->Execute("INSERT INTO Compras_PagosCentral_Extractos_Lineas_Impuestos (IdExtractoLinea, Base, "
                          "Valor_Tipo, Importe, Tipo) VALUES (" +
                          std::to_string(line) + ", " + base + ", " + rate + ", " + amount + ", " +
                          std::to_string(type) + ")");
    };
    long taxed = Line(901, "105", "F'SII", -4);
    demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET Cta_Proveedor = '4000000901' WHERE "
                      "IdExtractoLinea = " +
                      std::to_string(taxed));
    tax(taxed, "50", "7", "3.5", 4);
    tax(taxed, "50", "3", "1.5", 3);
    long early = Line(902, "20", "EARLY", -5);
    tax(early, "20", "0", "0", 1);
    long pp = Line(901, "30", "PP", -4);
    demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET ProntoPago = 1 WHERE IdExtractoLinea = " +
                      std::to_string(pp));
    long ri = Line(901, "12", "RI", -4);
    demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET TipoPago = 5 WHERE IdExtractoLinea = " +
                      std::to_string(ri));
    Line(902, "40", "NOTAX", -4);
    Generar();
    ASSERT_EQ(Cerrado(), "1") << shell.Last();
    EXPECT_TRUE(Cuadran());

    const auto &f = suite::Formato::Instancia();
    auto amount = [&](const db::Field &field) { return f.NumeroSQL(suite::Moneda::FromUnits(field.AsCurrencyUnits())); };
    // Each record hangs on the payment entry's debit line of its invoice.
    auto rs = demo.acc->OpenRecordset(
        "SELECT r.Id, r.Documento, r.Nif, r.Nombre, r.FechaFactura, r.Base, r.Cuota, r.Total, a.Cuenta, a.Debe, "
        "a.Documento AS DocApunte, a.Asiento, (SELECT MAX(Asiento) FROM Asientos) AS Pago"
        " FROM Registro_Facturas_Recibidas r INNER JOIN Apuntes a ON a.Cod_Empresa = r.Cod_Empresa AND "
        "a.Cod_Ejercicio = r.Cod_Ejercicio AND a.Asiento = r.Asiento AND a.Linea = r.Linea ORDER BY r.Id");
    Lines records;
    std::vector<std::string> ids;
    for (; !rs->Eof(); rs->MoveNext()) {
        ids.push_back(rs->Fields("Id").AsText());
        EXPECT_EQ(rs->Fields("Asiento").AsText(), rs->Fields("Pago").AsText());
        records.push_back(rs->Fields("Documento").AsText() + "|" + rs->Fields("Nif").AsText() + "|" +
                          rs->Fields("Nombre").AsText() + "|" + rs->Fields("FechaFactura").AsText() + "|" +
                          amount(rs->Fields("Base")) + "|" + amount(rs->Fields("Cuota")) + "|" +
                          amount(rs->Fields("Total")) + "|" + rs->Fields("Cuenta").AsText() + "|" +
                          amount(rs->Fields("Debe")) + "|" + rs->Fields("DocApunte").AsText());
    }
    const std::string fecha = suite::Fecha::Hoy().SumarDias(-4).Iso();
    EXPECT_EQ(records, (Lines{
                           "F'SII|B'CONTA|Razón '); --|" + fecha + "|100|5|105|4000000901|105|F'SII",
                           "NOTAX|B902|Razón \"902\"|" + fecha + "|0|0|40|4000000902|40|NOTAX",
                       }));
    ASSERT_EQ(ids.size(), 2u);
    auto taxes = demo.acc->OpenRecordset("SELECT IdRegistro, Base, Valor_Tipo, Cuota, Tipo FROM "
                                         "Registro_Facturas_Recibidas_Impuestos ORDER BY Tipo DESC");
    Lines rows;
    for (; !taxes->Eof(); taxes->MoveNext()) {
        rows.push_back((taxes->Fields(0).AsText() == ids[0] ? "F'SII" : taxes->Fields(0).AsText()) + "|" +
                       amount(taxes->Fields(1)) + "|" + amount(taxes->Fields(2)) + "|" + amount(taxes->Fields(3)) + "|" +
                       taxes->Fields(4).AsText());
    }
    EXPECT_EQ(rows, (Lines{"F'SII|50|7|3.5|4", "F'SII|50|3|1.5|3"}));
}

TEST_F(GenerarAsiento, RIAndXILinesOnlyReachThePaymentEntryAndAListedTypeSuppressesIt) {
    demo.SetParam("PagoCentral_TipoExtracto", "1");
    demo.SetParam("PagoCentral_AsientoCheckLineasNoVinc", "0");
    long a = Line(901, "25", "RI1");
    long b = Line(902, "35", "XI1");
    demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET TipoPago = 5 WHERE IdExtractoLinea = " +
                      std::to_string(a));
    demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET TipoPago = 7 WHERE IdExtractoLinea = " +
                      std::to_string(b));
    Statement("U'2", -2, 13, false);
    long c = Line(902, "60", "F3", -5, "U'2");
    Receipt(c, 701, "ALB-701", "60");
    Line(901, "5", "RI2", -5, "U'2");
    demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET TipoPago = 5 WHERE Documento = 'RI2'");
    demo.SetParam("PagoCentral_TPNoGenAsientoResum", "5, x'); --");
    Generar({"T'1", "U'2"});
    // T'1: no registration entry, and no payment entry as type 5 is listed; U'2 the same payment.
    EXPECT_EQ(shell.Last(), "information|Varnex|Operación realizada con éxito. Asientos generados: \r1");
    EXPECT_EQ(Apuntes(), (Lines{"4009000902|Pago U'2|ALB-701|60|0", "4000000902|Pago U'2|F3|0|60"}));
    // Opened again by hand, its entries and its note gone with them.
    demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos SET Cerrado = 0");
    demo.acc->Execute("DELETE FROM Apuntes");
    demo.acc->Execute("DELETE FROM PagosCentral_ExtractosContabilizados");
    demo.SetParam("PagoCentral_TPNoGenAsientoResum", "");
    Generar({"T'1"});
    auto lines = Apuntes();
    std::sort(lines.begin(), lines.end() - 1);
    EXPECT_EQ(lines, (Lines{"4000000901|Pago T'1|RI1|25|0", "4000000902|Pago T'1|XI1|35|0",
                            "5720000001|Contra T'1|T'1|0|60"}));
    EXPECT_TRUE(Cuadran());
}

TEST_F(GenerarAsiento, ForecastStatementsSettleTheirForecastsAgainstTheChosenAccount) {
    demo.SetParam("PagoCentral_TipoExtracto", "2");
    demo.SetParam("PagoCentral_AsientoCheckLineasNoVinc", "0");
    demo.erp->Execute("UPDATE Proveedores SET Nombre = 'O''Hara \"x\" ''); --' WHERE Codigo = 902");
    long l1 = Line(901, "300", "F-100");
    long fa = Forecast("4000000901", "A", "100", 1);
    long fb = Forecast("4000000903", "B'2", "200", 2);
    LinkForecast(l1, fa, "100");
    LinkForecast(l1, fb, "200");
    long pp = Line(902, "50", "D'); DROP--");
    demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET ProntoPago = 1 WHERE IdExtractoLinea = " +
                      std::to_string(pp));
    Line(902, "10", "NADA");
    contra = "5720000009";
    Generar();
    EXPECT_EQ(prompts, (Lines{"Cuenta de Contrapartida - T'1"}));
    EXPECT_EQ(shell.Last(), "information|Varnex|Operación realizada con éxito. Asientos generados: \r1");
    EXPECT_EQ(Apuntes(), (Lines{
                             "4000000901|Pago T'1|A|100|0",
                             "4000000903|Pago T'1|B'2|200|0",
                             "4000000902|Pago T'1|D'); DROP--|50|0",
                             "4000000902|Pago T'1|D'); DROP--|0|50",
                             "6260000000|Gasto O'Hara \"x\" '); -- T'1|D'); DROP--|50|0",
                             "5720000009|Contra T'1|T'1|0|350",
                         }));
    EXPECT_TRUE(Cuadran());
    auto rs = demo.acc->OpenRecordset("SELECT Estado, AsientoPago, CuentaContrapartida FROM Previsiones_Pago WHERE "
                                      "Apunte IN (" +
                                      std::to_string(fa) + ", " + std::to_string(fb) + ")");
    for (int n = 0; n < 2; ++n, rs->MoveNext()) {
        ASSERT_FALSE(rs->Eof());
        EXPECT_EQ(rs->Fields(0).AsText() + "|" + rs->Fields(1).AsText() + "|" + rs->Fields(2).AsText(),
                  "1|1|5720000009");
    }
    EXPECT_EQ(demo.One("SELECT Fecha FROM Contabilidad.Asientos"), suite::Fecha::Hoy().SumarDias(13).Iso());
    EXPECT_EQ(demo.Count("Compras_PagosCentral_PrevPagos WHERE Contabilizado = 1"), 2);
    EXPECT_EQ(Cerrado(), "1");
}

TEST_F(GenerarAsiento, AForecastStatementWithNothingLinkedGetsOnlyAContraLineOfZero) {
    demo.SetParam("PagoCentral_TipoExtracto", "2");
    demo.SetParam("PagoCentral_AsientoCheckLineasNoVinc", "0");
    Line(901, "10", "NADA");
    contra = "5720000001";
    Generar();
    EXPECT_EQ(Apuntes(), (Lines{"5720000001|Contra T'1|T'1|0|0"}));
    EXPECT_EQ(Cerrado(), "1");
}

TEST_F(GenerarAsiento, ACancelledPromptOnTheSecondStatementLeavesBothDatabasesAsTheyWere) {
    demo.SetParam("PagoCentral_TipoExtracto", "2");
    demo.SetParam("PagoCentral_AsientoCheckLineasNoVinc", "0");
    long l1 = Line(901, "100", "F-1");
    LinkForecast(l1, Forecast("4000000901", "A", "100", 1), "100");
    Statement("U'2", -2, 14, false);
    long l2 = Line(901, "40", "F-2", -5, "U'2");
    LinkForecast(l2, Forecast("4000000901", "B", "40", 1), "40");
    const std::vector<std::string> tables = {
        "Compras_PagosCentral_Extractos", "Compras_PagosCentral_PrevPagos", "acc:Asientos",   "acc:Apuntes",
        "acc:Contadores",                 "acc:Previsiones_Pago",           "acc:Parametros"};
    const std::string before = fixtures::Snapshot(demo, tables);
    shell.handlers["frmCuentaContrapartida"] = [n = 0](host::Window &win) mutable {
        auto &p = static_cast<accounting::frmCuentaContrapartida &>(win);
        if (n++ == 0) {
            p.txtCtaContrapartida.text = "5720000001";
            p.cmdAceptar_Click();
        } else {
            p.Form_KeyDown_Escape();
        }
    };
    Generar({"T'1", "U'2"});
    EXPECT_EQ(fixtures::Snapshot(demo, tables), before);
    EXPECT_EQ(std::count_if(shell.messages.begin(), shell.messages.end(),
                            [](const auto &m) { return m.text == "Ha ocurrido un error al generar el asiento"; }),
              1);
    EXPECT_EQ(shell.Last(), "information|Varnex|Ha ocurrido un error al generar el asiento");
    EXPECT_FALSE(demo.erp->InTransaction());
    EXPECT_FALSE(demo.acc->InTransaction());
    EXPECT_TRUE(shell.ProgressHidden());
    // The working table went with the rollback: the next run creates it again.
    shell.handlers["frmCuentaContrapartida"] = [](host::Window &win) {
        auto &p = static_cast<accounting::frmCuentaContrapartida &>(win);
        p.txtCtaContrapartida.text = "5720000001";
        p.cmdAceptar_Click();
    };
    Generar({"T'1", "U'2"});
    EXPECT_EQ(shell.Last(), "information|Varnex|Operación realizada con éxito. Asientos generados: \r1\r2");
    EXPECT_TRUE(Cuadran());
}

TEST_F(GenerarAsiento, AnotherTargetClosesWithoutMessageAndAStatementClosedMeanwhileIsRefused) {
    demo.SetParam("PagoCentral_TipoExtracto", "1");
    demo.SetParam("PagoCentral_AsientoCheckLineasNoVinc", "0");
    demo.SetParam("Tipo_Contabilidad", "3");
    long l = Line(902, "60", "F3");
    Receipt(l, 701, "ALB-701", "60");
    Generar();
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.Last(), kQuestion);
    EXPECT_EQ(Cerrado(), "1");

    // A second user closes U'2 after this list was loaded.
    demo.SetParam("Tipo_Contabilidad", "1");
    Statement("U'2", -2, 14, false);
    Receipt(Line(902, "60", "F4", -5, "U'2"), 702, "ALB-702", "60");
    Statement("V'3", -2, 15, false);
    Receipt(Line(902, "70", "F5", -5, "V'3"), 703, "ALB-703", "70");
    const std::vector<std::string> tables = {"Compras_PagosCentral_Extractos", "Compras_PagosCentral_Entradas",
                                             "acc:Asientos", "acc:Apuntes", "acc:Contadores"};
    auto w = Lista({"V'3", "U'2"});
    demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos SET Cerrado = 1 WHERE Cod_Extracto = 'U''2'");
    const std::string before = fixtures::Snapshot(demo, tables);
    shell.ClearLog();
    shell.answers = {host::Answer::Yes};
    w->cmdGenerarAsiento_Click();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|El Extracto: U'2 ya está cerrado: otro usuario ha generado su "
                            "asiento. No se ha generado ningún asiento.");
    EXPECT_EQ(fixtures::Snapshot(demo, tables), before);
    EXPECT_FALSE(w->Generado());
}

TEST_F(GenerarAsiento, ConceptCodesReadTheirTextFromTheConceptTable) {
    demo.SetParam("PagoCentral_TipoExtracto", "2");
    demo.SetParam("PagoCentral_AsientoCheckLineasNoVinc", "0");
    demo.acc->Execute("UPDATE Parametros SET Valor = '4' WHERE Nombre = 'Concepto_PagoCent_Contrapartida'");
    demo.acc->Execute("UPDATE Conceptos SET Nombre = 'Extracto %NROEXTRACTO$1% pagado' WHERE Codigo = 4");
    contra = "5720000001";
    Generar();
    EXPECT_EQ(Apuntes(), (Lines{"5720000001|Extracto T pagado|T'1|0|0"}));
    EXPECT_EQ(demo.acc->OpenRecordset("SELECT Concepto FROM Apuntes")->Fields(0).AsInt64(), 4);
}

} // namespace
