#include "fixtures/TriggerFault.h"
#include "fixtures/Vinculos.h"
#include "lines/frmExtractos_Lineas.h"
#include "lines/frmExtractos_Lineas_NoPagoFechaVto.h"
#include "lines/frmPedirProveedor.h"

#include <gtest/gtest.h>

namespace {

using lines::frmExtractos_Lineas;
using L = frmExtractos_Lineas;
using lines::frmExtractos_Lineas_NoPagoFechaVto;
using D = frmExtractos_Lineas_NoPagoFechaVto;

class NoPayment : public ::testing::Test, public VinculosFixture {
  protected:
    NoPayment() : w(shell, demo.settings) {
        demo.SetParam("PagoCentral_TipoExtracto", "2");
        w.codAlmacen = 1;
        w.codExtracto = "T'1";
        w.fechaExtracto = suite::Fecha::Hoy().SumarDias(-2);
        w.fechaVto = suite::Fecha::Hoy().SumarDias(13);
        a = Line(901, "10", "A");
        b = Line(901, "20", "B");
        c = Line(902, "30", "C");
        for (long id : {a, b, c}) {
            LinkForecast(id, Forecast("4000000901", "X" + std::to_string(id), "5", 1), "5");
        }
        shell.handlers["frmExtractos_Lineas_NoPagoFechaVto"] = [this](host::Window &win) {
            auto &d = static_cast<D &>(win);
            seen = d;
            if (fill) {
                fill(d);
            }
        };
    }
    int RowOf(long id) const {
        for (int r = 1; r <= w.vsLineas.DataRows(); ++r) {
            if (w.vsLineas.Text(r, L::colIdLinea) == std::to_string(id)) {
                return r;
            }
        }
        return 0;
    }
    std::string Marks(long id) const {
        auto rs = demo.erp->OpenRecordset("SELECT NoPago, Nueva_FechaVto, Obs1, Obs2, Obs3, Obs4 FROM "
                                          "Compras_PagosCentral_Extractos_Lineas WHERE IdExtractoLinea = " +
                                          std::to_string(id));
        std::string out;
        for (std::size_t i = 0; i < rs->FieldCount(); ++i) {
            out += (i ? "|" : "") + rs->Fields(i).AsText();
        }
        return out;
    }
    struct Seen {
        short modo = 0;
        bool noPago = false;
        std::string fecha, caption;
        std::array<std::string, 4> obs;
        bool chkVisible = false, fechaVisible = false;
        Seen &operator=(const D &d) {
            modo = d.modo;
            noPago = d.chkNoPago.value;
            fecha = d.txtFechaVto.text;
            caption = d.caption;
            obs = {d.txtObs1.text, d.txtObs2.text, d.txtObs3.text, d.txtObs4.text};
            chkVisible = d.chkNoPago.visible;
            fechaVisible = d.txtFechaVto.visible && d.lblFechaVto.visible;
            return *this;
        }
    } seen;
    std::function<void(D &)> fill;
    long a = 0, b = 0, c = 0;
    frmExtractos_Lineas w;
};

TEST_F(NoPayment, MarkingTheTickedLinesNotToBePaidRemovesTheirForecastLinks) {
    w.Show();
    w.vsLineas.SetTicked(RowOf(a), true);
    w.vsLineas.SetTicked(RowOf(c), true);
    fill = [](D &d) {
        d.chkNoPago.value = true;
        d.txtObs1.text = "Factura en disputa, ver O'Neill";
        d.txtObs2.text = std::string(80, 'x');
        d.cmdAceptar_Click();
    };
    w.CommandBars_Execute(L::menuNoPago);
    EXPECT_TRUE(shell.messages.empty()) << shell.Last();
    EXPECT_EQ(seen.caption, "No Pago");
    EXPECT_TRUE(seen.chkVisible);
    EXPECT_FALSE(seen.fechaVisible);
    std::string expected = "1|1900-01-01|Factura en disputa, ver O'Neill|" + std::string(70, 'x') + "||";
    EXPECT_EQ(Marks(a), expected);
    EXPECT_EQ(Marks(c), expected);
    EXPECT_EQ(Marks(b), "0|1900-01-01||||");
    EXPECT_EQ(Links(a), "");
    EXPECT_EQ(Links(c), "");
    EXPECT_NE(Links(b), "");
    // The reloaded grid shows the mark and the line is no longer linkable.
    EXPECT_EQ(w.vsLineas.Text(RowOf(a), L::colNP), "X");
    EXPECT_EQ(w.vsLineas.Text(RowOf(a), L::colVinculado), "0,00");
    w.vsLineas_RowColChange(RowOf(a));
    EXPECT_FALSE(w.cmdVincular.enabled);

    // The dialog opens with the first ticked line's values.
    w.vsLineas.SetTicked(RowOf(c), true);
    fill = nullptr;
    w.CommandBars_Execute(L::menuNoPago);
    EXPECT_TRUE(seen.noPago);
    EXPECT_EQ(seen.obs[0], "Factura en disputa, ver O'Neill");
    EXPECT_EQ(Marks(c), expected);
}

TEST_F(NoPayment, WithoutTheFirstRemarkNothingIsWritten) {
    w.Show();
    w.vsLineas.row = RowOf(b);
    bool open = false;
    fill = [&](D &d) {
        d.chkNoPago.value = true;
        d.txtObs1.text = "   ";
        d.txtObs2.text = "segunda";
        d.cmdAceptar_Click();
        open = d.Loaded();
        d.cmdCancelar_Click();
    };
    w.CommandBars_Execute(L::menuNoPago);
    EXPECT_EQ(shell.messages.at(0).text, "Debe especificar al menos la primera Observación");
    EXPECT_EQ(shell.messages.at(0).icon, host::Icon::Warning);
    EXPECT_EQ(shell.focus.back(), "frmExtractos_Lineas_NoPagoFechaVto.txtObs1");
    EXPECT_TRUE(open);
    EXPECT_EQ(Marks(b), "0|1900-01-01||||");
    EXPECT_NE(Links(b), "");
}

TEST_F(NoPayment, ANewDueDateClearsTheNoPaymentMarkOfTheCurrentLine) {
    demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET NoPago = 1, Obs1 = 'antes' WHERE "
                      "IdExtractoLinea = " +
                      std::to_string(b));
    w.Show();
    w.vsLineas_RowColChange(RowOf(b));
    fill = [](D &d) {
        d.txtFechaVto.text = Dia(30);
        d.cmdAceptar_Click();
    };
    w.CommandBars_Execute(L::menuNuevaFechaVto);
    EXPECT_EQ(seen.caption, "Nueva Fecha Vencimiento");
    EXPECT_FALSE(seen.chkVisible);
    EXPECT_TRUE(seen.fechaVisible);
    EXPECT_EQ(seen.obs[0], "antes");
    EXPECT_EQ(Marks(b), "0|" + suite::Fecha::Hoy().SumarDias(30).Iso() + "|antes|||");
    EXPECT_EQ(Links(b), "");
    EXPECT_EQ(w.vsLineas.Text(RowOf(b), L::colNuevaFechaVto), Dia(30));
    EXPECT_EQ(w.vsLineas.Text(RowOf(b), L::colNP), "");

    // Not a date: refused.
    fill = [](D &d) {
        d.txtFechaVto.text = "31/02/2026";
        d.cmdAceptar_Click();
    };
    w.vsLineas_RowColChange(RowOf(a));
    w.CommandBars_Execute(L::menuNuevaFechaVto);
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Debe introducir una fecha válida.");
    EXPECT_NE(Links(a), "");
}

TEST_F(NoPayment, LinesWithARelationIdCannotBeMarked) {
    long rel = Line(901, "40", "R", -5, "T'1", ", Id_Relacion", ", 7");
    w.Show();
    w.vsLineas.SetTicked(RowOf(rel), true);
    w.vsLineas.SetTicked(RowOf(a), true);
    w.CommandBars_Execute(L::menuNoPago);
    EXPECT_EQ(shell.Last(), "information|¡ Atención !|Existen facturas seleccionadas que no permiten cambiar el estado "
                            "a No Pago ó Nueva Fecha Vto. Por favor desmárquelas antes de continuar.");
    EXPECT_TRUE(shell.modals.empty());
    EXPECT_EQ(Marks(a), "0|1900-01-01||||");
    // The menu itself is disabled on such a line.
    w.vsLineas_RowColChange(RowOf(rel));
    ASSERT_TRUE(w.vsLineas_MouseDownRight());
    EXPECT_FALSE(w.Popup[0].enabled);
    EXPECT_FALSE(w.Popup[1].enabled);
}

// Marks delete the lines' forecast links; what the lines show as linked must follow.
TEST_F(NoPayment, EveryMarkLeavesTheLinkedAmountsTrue) {
    demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET ImporteVinculado = 5 WHERE Cod_Extracto = "
                      "'T''1'");
    // A second link on c, to a forecast that b holds too, as the automatic matching may leave it.
    long shared = Forecast("4000000901", "S", "7", 1);
    LinkForecast(b, shared, "7");
    LinkForecast(c, shared, "7");
    demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET ImporteVinculado = 12 WHERE IdExtractoLinea IN (" +
                      std::to_string(b) + "," + std::to_string(c) + ")");
    w.Show();
    fill = [](D &d) {
        d.chkNoPago.value = true;
        d.txtObs1.text = "no";
        d.cmdAceptar_Click();
    };
    w.vsLineas_RowColChange(RowOf(a));
    w.CommandBars_Execute(L::menuNoPago);
    EXPECT_EQ(Linked(a), "0");
    EXPECT_EQ(w.vsLineas.Text(RowOf(a), L::colVinculado), "0,00");
    EXPECT_EQ(w.vsLineas.Text(RowOf(a), L::colVinc), "");
    EXPECT_EQ(w.vsLineas.Text(RowOf(a), L::colDiferencia), "10,00");

    fill = [](D &d) {
        d.txtFechaVto.text = Dia(30);
        d.txtObs1.text = "luego";
        d.cmdAceptar_Click();
    };
    w.vsLineas_RowColChange(RowOf(b));
    w.CommandBars_Execute(L::menuNuevaFechaVto);
    EXPECT_EQ(Linked(b), "0");
    EXPECT_EQ(w.vsLineas.Text(RowOf(b), L::colVinc), "");
    // c keeps both its links and its amount.
    EXPECT_EQ(Linked(c), "12");

    // Clearing the marks deletes the links too.
    fill = [](D &d) {
        d.chkNoPago.value = false;
        d.cmdAceptar_Click();
    };
    w.vsLineas_RowColChange(RowOf(c));
    w.CommandBars_Execute(L::menuNoPago);
    EXPECT_EQ(Links(c), "");
    EXPECT_EQ(Linked(c), "0");
    EXPECT_TRUE(shell.messages.empty()) << shell.Last();
    // None of them passes for dealt with in the export's check any more.
    EXPECT_EQ(demo.Count("Compras_PagosCentral_Extractos_Lineas WHERE Cod_Extracto = 'T''1' AND ImporteVinculado <> 0"),
              0);
}

TEST_F(NoPayment, AClosedStatementRefusesTheMarksAndKeepsItsLinks) {
    demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET ImporteVinculado = 5 WHERE Cod_Extracto = "
                      "'T''1'");
    const std::vector<std::string> tables = {"Compras_PagosCentral_Extractos_Lineas", "Compras_PagosCentral_PrevPagos",
                                             "acc:Previsiones_Pago"};
    std::string before = fixtures::Snapshot(demo, tables);
    fill = [](D &d) {
        d.chkNoPago.value = true;
        d.txtFechaVto.text = Dia(30);
        d.txtObs1.text = "no";
        d.cmdAceptar_Click();
    };
    const std::string refused = "warning|¡ Atención !|El extracto está cerrado: no se puede cambiar el estado a No "
                                "Pago ó Nueva Fecha Vto. de sus lineas.";
    // Closed when the window opened, or by another user since.
    for (bool flag : {true, false}) {
        w.extractoCerrado = flag;
        if (!flag) {
            demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos SET Cerrado = 1 WHERE Cod_Extracto = 'T''1'");
        }
        w.Show();
        for (int id : {L::menuNoPago, L::menuNuevaFechaVto}) {
            shell.ClearLog();
            shell.modals.clear();
            w.vsLineas.SetTicked(RowOf(a), true);
            w.vsLineas_RowColChange(RowOf(b));
            w.CommandBars_Execute(id);
            ASSERT_EQ(shell.messages.size(), 1u) << flag << id;
            EXPECT_EQ(shell.Last(), refused);
            EXPECT_TRUE(shell.modals.empty());
            EXPECT_EQ(fixtures::Snapshot(demo, tables), before) << flag << id;
        }
    }
}

TEST_F(NoPayment, AMarkFailingAtAnyStatementChangesNothing) {
    demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET ImporteVinculado = 5 WHERE Cod_Extracto = "
                      "'T''1'");
    const std::vector<std::string> tables = {"Compras_PagosCentral_Extractos_Lineas", "Compras_PagosCentral_PrevPagos",
                                             "acc:Previsiones_Pago"};
    std::string before = fixtures::Snapshot(demo, tables);
    fill = [](D &d) {
        d.chkNoPago.value = true;
        d.txtObs1.text = "no";
        d.cmdAceptar_Click();
    };
    w.Show();
    for (const char *fault : {"BEFORE UPDATE OF NoPago ON Compras_PagosCentral_Extractos_Lineas",
                              "BEFORE DELETE ON Compras_PagosCentral_PrevPagos",
                              "BEFORE UPDATE OF ImporteVinculado ON Compras_PagosCentral_Extractos_Lineas"}) {
        fixtures::FailOn(demo, fault);
        shell.ClearLog();
        w.vsLineas.SetTicked(RowOf(a), true);
        w.vsLineas.SetTicked(RowOf(c), true);
        w.CommandBars_Execute(L::menuNoPago);
        fixtures::RemoveFault(demo);
        ASSERT_FALSE(shell.messages.empty()) << fault;
        EXPECT_EQ(shell.messages.back().title, "frmExtractos_Lineas:CommandBars_Execute") << fault;
        EXPECT_NE(shell.messages.back().text.find("fallo provocado"), std::string::npos) << shell.Last();
        EXPECT_FALSE(demo.erp->InTransaction()) << fault;
        EXPECT_EQ(fixtures::Snapshot(demo, tables), before) << fault;
    }
}

TEST(SupplierPrompt, BlankMeansAllCancelMeansNothing) {
    DemoDb demo;
    host::ScriptedShell shell;
    lines::frmPedirProveedor p(shell);
    p.Show();
    p.txtProv_Enter();
    EXPECT_EQ(shell.focus.back(), "frmPedirProveedor.cmdAceptar");
    p.cmdAceptar_Click();
    EXPECT_TRUE(p.aceptado);
    EXPECT_EQ(p.codProveedor, 0);

    p.Show();
    p.txtProv.code = 3;
    p.txtProv_Change();
    EXPECT_EQ(p.txtProv.descripcion, "Panadería O'Shanahan, S.L.");
    p.Form_KeyDown_Escape();
    EXPECT_FALSE(p.aceptado);
    EXPECT_EQ(p.codProveedor, 0);

    p.Show();
    p.txtProv.code = 3;
    p.cmdAceptar_Click();
    EXPECT_TRUE(p.aceptado);
    EXPECT_EQ(p.codProveedor, 3);
    EXPECT_FALSE(p.Loaded());
}

} // namespace
