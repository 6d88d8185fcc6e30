#include "db/OpenFile.h"
#include "fixtures/TriggerFault.h"
#include "fixtures/Vinculos.h"
#include "lines/frmExtractos_Lineas.h"
#include "lines/frmExtractos_Lineas_Vinculos_2.h"
#include "lines/frmExtractos_Lineas_Vinculos_Agregar_Factura.h"

#include <gtest/gtest.h>

namespace {

using lines::frmExtractos_Lineas_Vinculos_2;
using V = frmExtractos_Lineas_Vinculos_2;
using lines::frmExtractos_Lineas_Vinculos_Agregar_Factura;
using I = frmExtractos_Lineas_Vinculos_Agregar_Factura;

const char *kCuenta = "4000000901";

class ForecastLinking : public ::testing::Test, public VinculosFixture {
  protected:
    ForecastLinking() : w(shell, demo.settings) {
        demo.SetParam("PagoCentral_TipoExtracto", "2");
        line = Line(901, "300", "F-100");
        w.idExtractoLinea = line;
        w.codAlmacen = 1;
        w.ctaProveedor = kCuenta;
        w.fechaExtracto = suite::Fecha::Hoy().SumarDias(-2);
        w.fechaVto = suite::Fecha::Hoy().SumarDias(13);
    }
    std::vector<std::string> Column(int col) const {
        std::vector<std::string> out;
        for (int r = 1; r <= w.vsLineas.DataRows(); ++r) {
            out.push_back(w.vsLineas.Text(r, col));
        }
        return out;
    }
    int RowOf(long apunte) const {
        for (int r = 1; r <= w.vsLineas.DataRows(); ++r) {
            if (w.vsLineas.Text(r, V::colApunte) == std::to_string(apunte)) {
                return r;
            }
        }
        return 0;
    }
    void Tick(long apunte) {
        ASSERT_NE(RowOf(apunte), 0) << apunte;
        w.vsLineas_Click(RowOf(apunte), V::colSel);
    }

    long line = 0;
    frmExtractos_Lineas_Vinculos_2 w;
};

TEST_F(ForecastLinking, OffersTheFreeForecastsOfTheAccountInRangeAndThoseLinkedToTheLine) {
    long free1 = Forecast(kCuenta, "F-100", "100", 5);
    long free2 = Forecast(kCuenta, "F-101", "200", -30);
    long late = Forecast(kCuenta, "F-102", "50", 40);      // due after the statement
    long other = Forecast("4000000902", "F-103", "60", 5); // another account
    long settled = Forecast(kCuenta, "F-104", "70", 5, 1);
    long elsewhere = Forecast(kCuenta, "F-105", "80", 5);
    long mine = Forecast(kCuenta, "F-106", "90", 200); // linked to this line, out of range
    long booked = Forecast(kCuenta, "F-107", "95", 5, 1);
    long otherLine = Line(901, "80", "F-105");
    LinkForecast(otherLine, elsewhere, "80");
    LinkForecast(line, mine, "90");
    LinkForecast(line, booked, "95", true);

    w.Show();
    EXPECT_TRUE(shell.messages.empty()) << shell.Last();
    EXPECT_EQ(shell.progress.front(), "Cargando líneas de vinculos de extractos, espere por favor...");
    EXPECT_EQ(w.txtDesde.text, VinculosFixture::Dia(-92));
    EXPECT_EQ(w.txtHasta.text, VinculosFixture::Dia(13));
    EXPECT_EQ(demo.settings->LeerValor("FechaI", "frmExtractos_Lineas_Vinculos_2"), w.txtDesde.text);
    EXPECT_EQ(demo.settings->LeerValor("FechaF", "frmExtractos_Lineas_Vinculos_2"), w.txtHasta.text);
    EXPECT_EQ(w.txtCtaProveedor.text, kCuenta);
    EXPECT_EQ(w.txtCtaProveedor.descripcion, "Cuenta O'901");
    EXPECT_EQ(w.EmpContable(), 1);
    ASSERT_EQ(w.vsLineas.Cols(), 10);
    EXPECT_TRUE(w.vsLineas.columns[V::colVinculado].hidden);
    EXPECT_TRUE(w.vsLineas.columns[V::colApunte].hidden);
    EXPECT_EQ(w.vsLineas.columns[V::colFechaVto].header, "Vto.");

    // Linked first, then by due date; the rest never offered.
    EXPECT_EQ(Column(V::colApunte), (std::vector<std::string>{std::to_string(mine), std::to_string(free2),
                                                               std::to_string(free1)}));
    EXPECT_EQ(Column(V::colVinculado), (std::vector<std::string>{"X", "", ""}));
    int r = RowOf(free1);
    EXPECT_EQ(w.vsLineas.Text(r, V::colCuenta), kCuenta);
    EXPECT_EQ(w.vsLineas.Text(r, V::colNombreCuenta), "Cuenta O'901");
    EXPECT_EQ(w.vsLineas.Text(r, V::colDocumento), "F-100");
    EXPECT_EQ(w.vsLineas.Text(r, V::colDocumento2), "D2");
    EXPECT_EQ(w.vsLineas.Text(r, V::colFechaDoc), VinculosFixture::Dia(-20));
    EXPECT_EQ(w.vsLineas.Text(r, V::colFechaVto), VinculosFixture::Dia(5));
    EXPECT_EQ(w.vsLineas.Text(r, V::colImporte), "100,00");
    for (long a : {late, other, settled, elsewhere, booked}) {
        EXPECT_EQ(RowOf(a), 0) << a;
    }

    // Another account, typed in the box, lists its own free forecasts.
    w.txtCtaProveedor.text = "4000000902";
    w.txtCtaProveedor_Change();
    w.txtCtaProveedor_Enter();
    EXPECT_EQ(Column(V::colApunte), (std::vector<std::string>{std::to_string(mine), std::to_string(other)}));
    w.Close();
    EXPECT_EQ(demo.settings->LeerValor("CtaProveedor", "frmExtractos_Lineas_Vinculos_2"), "4000000902");
}

TEST_F(ForecastLinking, PaymentMethodParameterNarrowsTheListAndABadOneIsRefused) {
    long transfer = Forecast(kCuenta, "A", "10", 1, 0, 2);
    long note = Forecast(kCuenta, "B", "20", 2, 0, 3);
    Forecast(kCuenta, "C", "30", 3, 0, 1);
    demo.SetParam("PagoCentral_PrevPagoTipoDocumentos", "2,3");
    w.Show();
    EXPECT_EQ(Column(V::colApunte), (std::vector<std::string>{std::to_string(transfer), std::to_string(note)}));

    demo.SetParam("PagoCentral_PrevPagoTipoDocumentos", "2) OR (1=1");
    shell.ClearLog();
    w.Cargar_Lineas();
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.messages[0].title, "frmExtractos_Lineas_Vinculos_2:Cargar_Lineas");
    EXPECT_EQ(w.vsLineas.DataRows(), 0);
    EXPECT_TRUE(shell.ProgressHidden());
}

TEST_F(ForecastLinking, LinkInsertsOnlyFreeTickedForecastsAndUnlinkOnlyLinkedOnes) {
    long a = Forecast(kCuenta, "A", "100", 1);
    long b = Forecast(kCuenta, "B", "250.5", 2);
    long mine = Forecast(kCuenta, "M", "40", 3);
    LinkForecast(line, mine, "40");
    w.Show();

    w.Form_KeyDown_F9();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Debe señalar al menos una linea de Previsión de Pago a vincular.");
    w.Form_KeyDown_F12();
    EXPECT_EQ(shell.Last(),
              "warning|¡ Atención !|Debe señalar al menos una linea de Previsión de Pago a Desvincular.");

    Tick(a);
    Tick(b);
    Tick(mine); // already linked: F9 leaves it alone
    w.Form_KeyDown_F9();
    EXPECT_EQ(Links(line), std::to_string(a) + "," + std::to_string(b) + "," + std::to_string(mine));
    EXPECT_EQ(Linked(line), "390.5");
    EXPECT_EQ(demo.One("SELECT Importe FROM Compras_PagosCentral_PrevPagos WHERE IdPrevPago = " + std::to_string(b)),
              "250.5");
    EXPECT_EQ(Column(V::colVinculado), (std::vector<std::string>{"X", "X", "X"}));

    // Unlinking asks first; No keeps everything.
    Tick(a);
    shell.answers = {host::Answer::No};
    w.Form_KeyDown_F12();
    EXPECT_EQ(shell.Last(), "question|¡ Atención !|¿Está seguro que desea desvincular las lineas señaladas?");
    EXPECT_EQ(Links(line), std::to_string(a) + "," + std::to_string(b) + "," + std::to_string(mine));
    shell.answers = {host::Answer::Yes};
    w.Form_KeyDown_F12();
    EXPECT_EQ(Links(line), std::to_string(b) + "," + std::to_string(mine));
    EXPECT_EQ(Linked(line), "290.5");
    EXPECT_EQ(w.vsLineas.Text(RowOf(a), V::colVinculado), "");
}

TEST_F(ForecastLinking, LinkedForecastsArePaintedYellow) {
    long free = Forecast(kCuenta, "A", "100", 1);
    long mine = Forecast(kCuenta, "M", "40", 3);
    LinkForecast(line, mine, "40");
    w.Show();
    ASSERT_EQ(Column(V::colApunte), (std::vector<std::string>{std::to_string(mine), std::to_string(free)}));
    EXPECT_EQ(w.vsLineas.RowBackColor(RowOf(mine)), 65535);
    EXPECT_EQ(w.vsLineas.RowBackColor(RowOf(free)), -1);
    // Linking paints the new one; unlinking takes the colour away.
    Tick(free);
    w.Form_KeyDown_F9();
    EXPECT_EQ(w.vsLineas.RowBackColor(RowOf(free)), 65535);
    Tick(mine);
    shell.answers = {host::Answer::Yes};
    w.Form_KeyDown_F12();
    EXPECT_EQ(w.vsLineas.RowBackColor(RowOf(mine)), -1);
    EXPECT_EQ(w.vsLineas.RowBackColor(RowOf(free)), 65535);
}

// Matching may link one forecast to two lines; unlinking it from one takes it from both, and both
// get their linked amounts again.
TEST_F(ForecastLinking, UnlinkingAForecastHeldByOtherLinesRecomputesThemAll) {
    long shared = Forecast(kCuenta, "S-300", "300", 1);
    long own = Forecast(kCuenta, "O-50", "50", 1);
    long other = Line(901, "300", "S-300");
    long third = Line(901, "300", "XS-300");
    LinkForecast(line, shared, "300");
    LinkForecast(line, own, "50");
    LinkForecast(other, shared, "300");
    LinkForecast(third, shared, "300");
    LinkForecast(third, own + 1000, "20"); // a link to a forecast the window never shows
    demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET ImporteVinculado = CASE IdExtractoLinea WHEN " +
                      std::to_string(line) + " THEN 350 WHEN " + std::to_string(third) +
                      " THEN 320 ELSE 300 END WHERE Cod_Extracto = 'T''1'");
    w.Show();
    const std::vector<std::string> tables = {"Compras_PagosCentral_Extractos_Lineas", "Compras_PagosCentral_PrevPagos",
                                             "acc:Previsiones_Pago"};
    std::string before = fixtures::Snapshot(demo, tables);
    std::string id = std::to_string(line), o = std::to_string(other), t = std::to_string(third);
    for (const std::string &fault : std::vector<std::string>{"BEFORE DELETE ON Compras_PagosCentral_PrevPagos",
                              "BEFORE UPDATE ON Compras_PagosCentral_Extractos_Lineas WHEN NEW.IdExtractoLinea = " + id,
                              "BEFORE UPDATE ON Compras_PagosCentral_Extractos_Lineas WHEN NEW.IdExtractoLinea = " + o,
                              "BEFORE UPDATE ON Compras_PagosCentral_Extractos_Lineas WHEN NEW.IdExtractoLinea = " + t}) {
        fixtures::FailOn(demo, fault);
        shell.ClearLog();
        Tick(shared);
        shell.answers = {host::Answer::Yes};
        w.Form_KeyDown_F12();
        fixtures::RemoveFault(demo);
        ASSERT_FALSE(shell.messages.empty()) << fault;
        EXPECT_EQ(shell.messages.back().title, "frmExtractos_Lineas_Vinculos_2:cmdDesvincular_Click") << fault;
        EXPECT_NE(shell.messages.back().text.find("fallo provocado"), std::string::npos) << shell.Last();
        EXPECT_FALSE(demo.erp->InTransaction()) << fault;
        EXPECT_EQ(fixtures::Snapshot(demo, tables), before) << fault;
        w.vsLineas_Click(RowOf(shared), V::colSel); // untick for the next round
    }
    shell.ClearLog();
    Tick(shared);
    shell.answers = {host::Answer::Yes};
    w.Form_KeyDown_F12();
    EXPECT_EQ(shell.Last(), "question|¡ Atención !|¿Está seguro que desea desvincular las lineas señaladas?");
    EXPECT_EQ(Links(line), std::to_string(own));
    EXPECT_EQ(Links(other), "");
    EXPECT_EQ(Links(third), std::to_string(own + 1000));
    EXPECT_EQ(Linked(line), "50");
    EXPECT_EQ(Linked(other), "0");
    EXPECT_EQ(Linked(third), "20");
}

TEST_F(ForecastLinking, AForecastLinkedByAnotherUserMeanwhileIsNotLinkedTwice) {
    long a = Forecast(kCuenta, "A", "100", 1);
    long b = Forecast(kCuenta, "B", "20", 1);
    w.Show();
    Tick(a);
    Tick(b);
    long otherLine = Line(901, "100", "A");
    auto second = demo.OpenErp();
    second->Execute("INSERT INTO Compras_PagosCentral_PrevPagos (IdExtractoLinea, IdPrevPago, Importe) VALUES (" +
                    std::to_string(otherLine) + ", " + std::to_string(a) + ", 100)");
    w.Form_KeyDown_F9();
    EXPECT_EQ(shell.Last(), "information|¡ Atención !|Estas previsiones de pago ya estaban vinculadas a otra línea y "
                            "no se han vinculado:\nA");
    EXPECT_EQ(Links(line), std::to_string(b));
    EXPECT_EQ(Links(otherLine), std::to_string(a));
    EXPECT_EQ(demo.Count("Compras_PagosCentral_PrevPagos WHERE IdPrevPago = " + std::to_string(a)), 1);
}

TEST_F(ForecastLinking, ClosedStatementShowsOnlyAccountedLinksAndChangesNothing) {
    long booked = Forecast(kCuenta, "B", "95", 5, 1);
    long pending = Forecast(kCuenta, "P", "15", 5);
    Forecast(kCuenta, "F", "10", 5);
    LinkForecast(line, booked, "95", true);
    LinkForecast(line, pending, "15");
    w.extractoCerrado = true;
    w.Show();
    EXPECT_FALSE(w.cmdVincular.enabled);
    EXPECT_FALSE(w.cmdDesvincular.enabled);
    EXPECT_EQ(Column(V::colApunte), (std::vector<std::string>{std::to_string(booked)}));
    Tick(booked);
    shell.answers = {host::Answer::Yes};
    w.Form_KeyDown_F12();
    w.Form_KeyDown_F9();
    EXPECT_TRUE(shell.messages.empty()) << shell.Last();
    EXPECT_EQ(demo.Count("Compras_PagosCentral_PrevPagos WHERE IdExtractoLinea = " + std::to_string(line)), 2);
}

TEST_F(ForecastLinking, KeysAndTicks) {
    Forecast(kCuenta, "A", "1", 1);
    Forecast(kCuenta, "B", "2", 2);
    w.Show();
    w.vsLineas.row = 1;
    w.vsLineas_KeyUp();
    EXPECT_EQ(shell.focus.back(), "frmExtractos_Lineas_Vinculos_2.txtCtaProveedor");
    w.vsLineas.row = 2;
    w.vsLineas_DblClick();
    EXPECT_TRUE(w.vsLineas.Ticked(2));
    w.vsLineas_KeySpace();
    EXPECT_FALSE(w.vsLineas.Ticked(2));
    w.chkSelelecion_vsExtractos.value = true;
    w.chkSelelecion_vsExtractos_Click();
    EXPECT_EQ(w.vsLineas.TickedCount(), 2);
    w.txtDesde.text = "";
    w.Cargar_Lineas();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Debe introducir una fecha válida.");
    EXPECT_EQ(shell.focus.back(), "frmExtractos_Lineas_Vinculos_2.txtDesde");
    w.Form_KeyDown_Escape();
    EXPECT_FALSE(w.Loaded());
}

class ForecastImport : public ForecastLinking {
  protected:
    ForecastImport() : imp(shell, demo.settings) {
        imp.codExtracto = "T'1";
        imp.codAlmacen = 1;
        imp.fechaExtracto = suite::Fecha::Hoy().SumarDias(-2);
        imp.fechaVto = suite::Fecha::Hoy().SumarDias(13);
    }
    int ImpRow(long apunte) const {
        for (int r = 1; r <= imp.vsLineas.DataRows(); ++r) {
            if (imp.vsLineas.Text(r, I::colApunte) == std::to_string(apunte)) {
                return r;
            }
        }
        return 0;
    }
    frmExtractos_Lineas_Vinculos_Agregar_Factura imp;
};

TEST_F(ForecastImport, ImportsEachTickedForecastAsANewLinkedLine) {
    long a = Forecast(kCuenta, "IA-1", "10.25", 1);
    long b = Forecast("4000000902", "IB'2", "20", 2);
    long c = Forecast("4000000903", "IC-3", "30", 3);
    long taken = Forecast(kCuenta, "IT-4", "40", 3);
    LinkForecast(line, taken, "40");
    imp.Show();
    EXPECT_EQ(imp.txtDesde.text, VinculosFixture::Dia(-92));
    EXPECT_EQ(imp.txtHasta.text, VinculosFixture::Dia(13));
    EXPECT_EQ(demo.settings->LeerValor("FechaIVinculos2"), imp.txtDesde.text);
    ASSERT_EQ(imp.vsLineas.Cols(), 9);
    // Any account when none is given; a linked forecast is never offered.
    EXPECT_NE(ImpRow(a), 0);
    EXPECT_NE(ImpRow(b), 0);
    EXPECT_NE(ImpRow(c), 0);
    EXPECT_EQ(ImpRow(taken), 0);

    imp.Form_KeyDown_F9();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Debe especificar un Proveedor válido al que asociar la factura.");
    EXPECT_EQ(shell.focus.back(), "frmExtractos_Lineas_Vinculos_Agregar_Factura.txtProveedor");
    imp.txtProveedor.code = 99999;
    imp.Form_KeyDown_F9();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Debe especificar un Proveedor válido al que asociar la factura.");
    imp.txtProveedor.code = 902;
    imp.txtProveedor_Change();
    EXPECT_EQ(imp.txtProveedor.descripcion, "Proveedor O'902");
    imp.Form_KeyDown_F9();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Debe señalar al menos una linea de Previsión de Pago.");
    long before = demo.Count("Compras_PagosCentral_Extractos_Lineas");

    for (long x : {a, b, c}) {
        imp.vsLineas_Click(ImpRow(x), I::colSel);
    }
    imp.Form_KeyDown_F9();
    EXPECT_TRUE(imp.aceptado);
    EXPECT_FALSE(imp.Loaded());
    EXPECT_EQ(demo.Count("Compras_PagosCentral_Extractos_Lineas"), before + 3);
    auto rs = demo.erp->OpenRecordset(
        "SELECT lin.Cod_Proveedor, lin.Documento, lin.DocumentoCentral, lin.Fecha, lin.Importe, lin.ImporteVinculado, "
        "lin.TipoPago, lin.ProntoPago, lin.Cta_Proveedor, lin.Cod_ProveedorCentral, lin.Acreedor, lin.Emisor, "
        "lin.TipoFactura, pp.IdPrevPago, pp.Importe AS Vinc FROM Compras_PagosCentral_Extractos_Lineas lin INNER "
        "JOIN Compras_PagosCentral_PrevPagos pp ON pp.IdExtractoLinea = lin.IdExtractoLinea WHERE lin.Cod_Extracto = "
        "'T''1' AND lin.Documento <> 'F-100' ORDER BY lin.IdExtractoLinea");
    std::vector<std::string> got;
    while (!rs->Eof()) {
        std::string row;
        for (std::size_t i = 0; i < rs->FieldCount(); ++i) {
            row += (i ? "|" : "") + rs->Fields(i).AsText();
        }
        got.push_back(row);
        rs->MoveNext();
    }
    std::string d = suite::Fecha::Hoy().SumarDias(-20).Iso();
    EXPECT_EQ(got, (std::vector<std::string>{
                       "902|IA-1|IA-1|" + d + "|10.25|10.25|1|0|4000000901|902|0|1|1|" + std::to_string(a) + "|10.25",
                       "902|IB'2|IB'2|" + d + "|20|20|1|0|4000000902|902|0|1|1|" + std::to_string(b) + "|20",
                       "902|IC-3|IC-3|" + d + "|30|30|1|0|4000000903|902|0|1|1|" + std::to_string(c) + "|30"}));
}

TEST_F(ForecastImport, AnAccountNarrowsTheListAndAFailureStoresNothing) {
    long a = Forecast(kCuenta, "IA-1", "10", 1);
    Forecast("4000000902", "IB-2", "20", 2);
    imp.ctaProveedor = kCuenta;
    imp.Show();
    ASSERT_EQ(imp.vsLineas.DataRows(), 1);
    EXPECT_EQ(imp.vsLineas.Text(1, I::colApunte), std::to_string(a));
    imp.vsLineas_KeyUp();
    EXPECT_EQ(shell.focus.back(), "frmExtractos_Lineas_Vinculos_Agregar_Factura.txtCtaProveedor");

    // The link cannot be written: the new line must not stay without it.
    imp.txtProveedor.code = 901;
    imp.vsLineas_KeySpace();
    long before = demo.Count("Compras_PagosCentral_Extractos_Lineas");
    db::RunSqliteScript(demo.dir.File("erp.db"),
                        {"CREATE TRIGGER guard BEFORE INSERT ON Compras_PagosCentral_PrevPagos BEGIN SELECT "
                         "RAISE(ABORT, 'vínculo rechazado'); END"});
    imp.cmdAceptar_Click();
    demo.erp->Execute("DROP TRIGGER guard");
    ASSERT_FALSE(shell.messages.empty());
    EXPECT_NE(shell.messages.back().text.find("vínculo rechazado"), std::string::npos) << shell.messages.back().text;
    EXPECT_FALSE(demo.erp->InTransaction());
    EXPECT_EQ(shell.messages.back().title, "frmExtractos_Lineas_Vinculos_Agregar_Factura:cmdAceptar_Click");
    EXPECT_FALSE(imp.aceptado);
    EXPECT_EQ(demo.Count("Compras_PagosCentral_Extractos_Lineas"), before);
}

// The lines window hands its inputs to the forecast windows and reloads after them.
TEST_F(ForecastLinking, LinesWindowOpensTheForecastWindowsWithTheLineAndStatement) {
    long a = Forecast(kCuenta, "F-100", "300", 1);
    lines::frmExtractos_Lineas lw(shell, demo.settings);
    lw.codAlmacen = 1;
    lw.codExtracto = "T'1";
    lw.fechaExtracto = suite::Fecha::Hoy().SumarDias(-2);
    lw.fechaVto = suite::Fecha::Hoy().SumarDias(13);
    bool seen = false;
    shell.handlers["frmExtractos_Lineas_Vinculos_2"] = [&](host::Window &win) {
        auto &v = static_cast<V &>(win);
        seen = true;
        EXPECT_EQ(v.idExtractoLinea, line);
        EXPECT_EQ(v.codAlmacen, 1);
        EXPECT_EQ(v.ctaProveedor, kCuenta);
        EXPECT_FALSE(v.extractoCerrado);
        EXPECT_EQ(v.fechaVto, lw.fechaVto);
        v.vsLineas.SetTicked(1, true);
        v.Form_KeyDown_F9();
        v.Form_KeyDown_Escape();
    };
    lw.Show();
    lw.vsLineas_RowColChange(1);
    lw.Form_KeyDown_F9();
    EXPECT_TRUE(seen);
    EXPECT_EQ(Links(line), std::to_string(a));
    EXPECT_EQ(lw.vsLineas.Text(1, lines::frmExtractos_Lineas::colVinculado), "300,00");

    bool imported = false;
    shell.handlers["frmExtractos_Lineas_Vinculos_Agregar_Factura"] = [&](host::Window &win) {
        auto &v = static_cast<I &>(win);
        imported = true;
        EXPECT_EQ(v.ctaProveedor, "");
        EXPECT_EQ(v.codExtracto, "T'1");
        v.cmdCancelar_Click();
    };
    lw.cmdAgregarFactura_Click();
    EXPECT_TRUE(imported);
}

} // namespace
